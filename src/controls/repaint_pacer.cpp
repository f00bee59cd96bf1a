#include "controls/repaint_pacer.h"

namespace vantrel {

bool RepaintPacer::PaintNow(unsigned now, bool full, unsigned lastFrame) const {
  if (full || frame_ == 0) return true;
  const unsigned elapsed = now - frameStart_;
  if (elapsed >= kIntervalMs) return true;
  return elapsed < kJoinMs && lastFrame != frame_;
}

unsigned RepaintPacer::Painted(unsigned now) {
  if (frame_ == 0 || now - frameStart_ >= kJoinMs) {
    frameStart_ = now;
    if (++frame_ == 0) frame_ = 1;
  }
  return frame_;
}

unsigned RepaintPacer::DueIn(unsigned now) const {
  const unsigned elapsed = now - frameStart_;
  return elapsed >= kIntervalMs ? 1 : kIntervalMs - elapsed;
}

}  // namespace vantrel
