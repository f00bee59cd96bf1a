#include "controls/color_edit.h"

namespace vantrel {

HBRUSH ColorEdit::OnReflectedCtlColor(HDC dc, int kind) {
  // A read-only edit asks with the static kind.
  if (kind != CTLCOLOR_EDIT && kind != CTLCOLOR_STATIC) return nullptr;
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, BackgroundColour());
  SetTextColor(dc, TextColour());
  return BackgroundBrush();
}

}  // namespace vantrel
