#include "controls/repaint_pacer.h"

#include <algorithm>

namespace vantrel {

bool RepaintPacer::PaintNow(unsigned now, bool full, unsigned lastFrame) const {
  if (full || frame_ == 0) return true;
  const unsigned elapsed = now - frameStart_;
  if (elapsed >= interval_) return true;
  return elapsed < kJoinUs && lastFrame != frame_;
}

unsigned RepaintPacer::Painted(unsigned now) {
  if (frame_ == 0 || now - frameStart_ >= kJoinUs) {
    frameStart_ = now;
    if (++frame_ == 0) frame_ = 1;
  }
  return frame_;
}

void RepaintPacer::FrameTook(unsigned us) {
  const unsigned spread = us > kLongestIntervalUs / 8 ? kLongestIntervalUs : us * 8;
  interval_ = std::max(kIntervalUs, spread);
}

unsigned RepaintPacer::DueIn(unsigned now) const {
  const unsigned elapsed = now - frameStart_;
  return elapsed >= interval_ ? 1 : interval_ - elapsed;
}

}  // namespace vantrel
