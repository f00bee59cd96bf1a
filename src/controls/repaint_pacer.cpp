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
    frameCost_ = 0;
    if (++frame_ == 0) frame_ = 1;
  }
  return frame_;
}

void RepaintPacer::BarTook(unsigned us) {
  frameCost_ = us > kLongestIntervalUs - frameCost_ ? kLongestIntervalUs : frameCost_ + us;
  const unsigned spread = frameCost_ > kLongestIntervalUs / 8 ? kLongestIntervalUs : frameCost_ * 8;
  interval_ = std::max(kIntervalUs, spread);
}

}  // namespace vantrel
