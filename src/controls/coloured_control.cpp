#include "controls/coloured_control.h"

namespace vantrel {

void ColouredControl::SetColours(COLORREF text, COLORREF background) {
  text_ = text;
  if (background != background_) brush_.Reset();
  background_ = background;
}

HBRUSH ColouredControl::BackgroundBrush() {
  if (!brush_) brush_ = SolidBrush(background_);
  return brush_.get();
}

}  // namespace vantrel
