#pragma once
// Driving another program's windows from a test: waiting, reading texts,
// finding its message boxes.

#include <windows.h>

#include <functional>
#include <string>

namespace vantrel::winetest {

// Polls condition until it holds or the time is up; its last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds);

// WM_GETTEXT across processes (GetWindowText does not reach another
// program's controls).
std::string TextOfWindow(HWND window);

// Where the program's main window stands once it is shown for good.
bool CentredOnScreen(HWND window);

// A visible top-level window owned by owner with a control of this id.
HWND VisibleOwnedWindowWith(HWND owner, int controlId);

// A visible message box (#32770 with a static text 0xFFFF) of the process
// that owns window (or of any process when window is null) with this caption
// (or any caption when caption is null).
HWND VisibleMessageBox(const char* caption, HWND ofProcessOf = nullptr);

// The text of a message box found above.
std::string MessageBoxText(HWND box);

}  // namespace vantrel::winetest

namespace vantrel::winetest {

// The program's settings in the user's application-data folder (where it
// keeps them when its own folder cannot be written), and that folder.
std::string FallbackSettingsFolderOfUser();
std::string FallbackSettingsFileOfUser();
// Removes both, so no test sees another's fallback settings.
void RemoveFallbackSettings();

}  // namespace vantrel::winetest
