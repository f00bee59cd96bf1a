#pragma once
// The caption-less windows are moved by any free spot of their surface.

#include <windows.h>

namespace vantrel {

// For a WM_MOUSEMOVE of window (keys and the client point from the
// message): with the left button held, hands the drag to the system as if
// the caption were pressed and shows cursor. False when the button is up.
bool DragByFreeArea(HWND window, UINT keys, POINT clientPoint, HCURSOR cursor);

}  // namespace vantrel
