#pragma once
// Helpers shared by the buttons that react to the pointer.

#include <windows.h>

namespace vantrel {

// Asks the system for WM_MOUSEHOVER (after 1 ms) and WM_MOUSELEAVE for
// window; true when the request is pending.
bool TrackHoverAndLeave(HWND window);

// Makes a button item owner-drawn, whatever kind the template gave it.
void MakeOwnerDrawn(HWND button);

}  // namespace vantrel
