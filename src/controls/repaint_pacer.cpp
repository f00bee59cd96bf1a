#include "controls/repaint_pacer.h"

namespace vantrel {

bool RepaintPacer::PaintNow(unsigned now, bool full) {
  if (full || !paintedOnce_ || now - lastPaint_ >= kIntervalMs) return true;
  holding_ = true;
  return false;
}

void RepaintPacer::Painted(unsigned now) {
  paintedOnce_ = true;
  holding_ = false;
  lastPaint_ = now;
}

unsigned RepaintPacer::DueIn(unsigned now) const {
  const unsigned elapsed = now - lastPaint_;
  return elapsed >= kIntervalMs ? 1 : kIntervalMs - elapsed;
}

}  // namespace vantrel
