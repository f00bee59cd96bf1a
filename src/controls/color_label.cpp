#include "controls/color_label.h"

namespace vantrel {

void ColorLabel::SetColours(COLORREF text, COLORREF background) {
  text_ = text;
  if (background != background_) brush_.Reset();
  background_ = background;
}

void ColorLabel::SetText(const std::string& text) {
  if (hwnd() != nullptr) SetWindowTextA(hwnd(), text.c_str());
}

HBRUSH ColorLabel::OnReflectedCtlColor(HDC dc, int kind) {
  if (kind != CTLCOLOR_EDIT && kind != CTLCOLOR_STATIC) return nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text_);
  if (!brush_) brush_ = SolidBrush(background_);
  return brush_.get();
}

}  // namespace vantrel
