#include "framework/drag.h"

namespace vantrel {

bool DragByFreeArea(HWND window, UINT keys, POINT clientPoint, HCURSOR cursor) {
  if ((keys & MK_LBUTTON) == 0) return false;
  // The non-client button message carries screen coordinates; the system's
  // move loop starts from that point.
  POINT screen = clientPoint;
  ClientToScreen(window, &screen);
  PostMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
  SetCursor(cursor);
  return true;
}

}  // namespace vantrel
