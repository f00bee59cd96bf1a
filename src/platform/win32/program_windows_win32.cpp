#include "platform/win32/program_windows_win32.h"

#include <windows.h>
#include <shellapi.h>

namespace vantrel {

void Win32ProgramWindows::Open(const std::string& file) {
  ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32ProgramWindows::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

ProgramWindows::WindowId Win32ProgramWindows::FindTopLevelWindow(const std::string& title) {
  return reinterpret_cast<WindowId>(FindWindowA(nullptr, title.c_str()));
}

void Win32ProgramWindows::PostCommand(WindowId window, int command) {
  PostMessageA(reinterpret_cast<HWND>(window), WM_COMMAND, static_cast<WPARAM>(command), 0);
}

}  // namespace vantrel
