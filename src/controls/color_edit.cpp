#include "controls/color_edit.h"

namespace vantrel {

void ColorEdit::SetColours(COLORREF text, COLORREF background) {
  text_ = text;
  if (background != background_) brush_.Reset();
  background_ = background;
}

HBRUSH ColorEdit::OnReflectedCtlColor(HDC dc, int kind) {
  // A read-only edit asks with the static kind.
  if (kind != CTLCOLOR_EDIT && kind != CTLCOLOR_STATIC) return nullptr;
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, background_);
  SetTextColor(dc, text_);
  if (!brush_) brush_ = SolidBrush(background_);
  return brush_.get();
}

}  // namespace vantrel
