#pragma once
// Driving another program's windows from a test: waiting, reading texts,
// pressing keys and buttons, finding its owned windows and message boxes.

#include <windows.h>

#include <functional>
#include <string>

namespace vantrel::winetest {

// Polls condition until it holds or the time is up; its last answer. The
// watchdog knows meanwhile where the wait is (the caller's file and line).
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds, const char* file = __builtin_FILE(),
               int line = __builtin_LINE());

// Whether window belongs to this test program, to a program it started or
// to one those started in turn: the windows this test may drive. Other test
// programs show theirs on the same desktop, under the same titles.
bool OfThisTest(HWND window);
// FindWindowA among the windows of this test (either may be null).
HWND FindTestWindow(const char* className, const char* title);
// The title of a window, read without sending it a message (a window of
// another thread of this program may not be answering).
std::string TitleOf(HWND window);

// WM_GETTEXT across processes (GetWindowText does not reach another
// program's controls).
std::string TextOfWindow(HWND window);

// The window's rectangle in screen coordinates.
RECT WindowRectOf(HWND window);

// Where the program's main window stands once it is shown for good.
bool CentredOnScreen(HWND window);

// The main window's notification icon, as Qorv.exe numbers it.
inline constexpr UINT kTrayIconId = 104;

// Qorv.exe's start is over: its main window centred on screen and its icon
// out of the notification area, both done when the window comes after the
// splash. (The splash's end centres the window a moment earlier.)
bool StartIsOver(HWND mainWindow);

// Posts a key press (down, then up) to window.
void PostKey(HWND window, WPARAM key);
// Presses a button of a window of another program (IDYES, IDNO, IDOK...).
void PressButton(HWND window, int id);

// The first visible top-level window owned by owner that fits, or null.
HWND VisibleOwnedWindow(HWND owner, const std::function<bool(HWND)>& fits);
// A visible top-level window owned by owner with a control of this id.
HWND VisibleOwnedWindowWith(HWND owner, int controlId);

// A visible message box (#32770 with a static text 0xFFFF) of the process
// that owns window (or of this test, see OfThisTest, when window is null)
// with this caption (or any caption when caption is null).
HWND VisibleMessageBox(const char* caption, HWND ofProcessOf = nullptr);

// The text of a message box found above.
std::string MessageBoxText(HWND box);

// The Windows version Wine reports to every program named Qorv.exe while
// the object lives ("winxp", "win98"...); nothing changes for null.
class ReportedWindowsVersion {
 public:
  explicit ReportedWindowsVersion(const char* version);
  ~ReportedWindowsVersion();
  ReportedWindowsVersion(const ReportedWindowsVersion&) = delete;
  ReportedWindowsVersion& operator=(const ReportedWindowsVersion&) = delete;
  bool Set() const { return set_; }

 private:
  bool created_ = false;
  bool set_ = false;
};
// Takes back a reported version that a test program cut off by its watchdog
// left behind (its destructor never ran).
void ForgetReportedWindowsVersion();

}  // namespace vantrel::winetest

namespace vantrel::winetest {

// The program's settings in the user's application-data folder (where it
// keeps them when its own folder cannot be written), and that folder.
std::string FallbackSettingsFolderOfUser();
std::string FallbackSettingsFileOfUser();
// Removes both, so no test sees another's fallback settings.
void RemoveFallbackSettings();

}  // namespace vantrel::winetest
