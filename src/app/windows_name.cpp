#include "app/windows_name.h"

namespace vantrel {

std::string GetWindowsName(const WindowsVersion& version) {
  if (version.platformId == windows_platform::kWin32Nt) {
    if (version.major < 5) return "Windows NT 4.0";
    // Every NT from 5 on is one of these two; later systems report minor 0,
    // 2 or 3 and so are taken for 2000.
    return version.minor == 1 ? "Windows XP" : "Windows 2000";
  }
  if (version.platformId == windows_platform::kWin32Windows) {
    if (version.minor < 10) return "Windows 95";
    if (version.minor < 90) return "Windows 98";
    return "Windows ME";
  }
  return "";
}

}  // namespace vantrel
