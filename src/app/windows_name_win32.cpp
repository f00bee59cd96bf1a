#include "app/windows_name_win32.h"

#include <windows.h>

namespace vantrel {

WindowsVersion RunningWindowsVersion() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return WindowsVersion{};
  return WindowsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

std::string GetWindowsName() { return GetWindowsName(RunningWindowsVersion()); }

}  // namespace vantrel
