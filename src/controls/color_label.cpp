#include "controls/color_label.h"

namespace vantrel {

void ColorLabel::SetText(const std::string& text) {
  if (hwnd() != nullptr) SetWindowTextA(hwnd(), text.c_str());
}

HBRUSH ColorLabel::OnReflectedCtlColor(HDC dc, int kind) {
  if (kind != CTLCOLOR_EDIT && kind != CTLCOLOR_STATIC) return nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, TextColour());
  return BackgroundBrush();
}

}  // namespace vantrel
