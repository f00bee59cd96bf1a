#include "controls/mouse_tracking.h"

#include <commctrl.h>

namespace vantrel {

bool TrackHoverAndLeave(HWND window) {
  TRACKMOUSEEVENT request = {};
  request.cbSize = sizeof request;
  request.dwFlags = TME_HOVER | TME_LEAVE;
  request.hwndTrack = window;
  request.dwHoverTime = 1;
  return _TrackMouseEvent(&request) != FALSE;
}

void MakeOwnerDrawn(HWND button) {
  const LONG_PTR style = GetWindowLongPtrA(button, GWL_STYLE);
  if ((style & BS_TYPEMASK) != BS_OWNERDRAW) {
    SetWindowLongPtrA(button, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
  }
}

}  // namespace vantrel
