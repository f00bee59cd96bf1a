#pragma once
// The running Windows version by the name the windows use to tell the
// systems apart ("Windows XP", ...), worked out from its version numbers.

#include <string>

namespace vantrel {

// The platform ids of the version record (VER_PLATFORM_WIN32_*).
namespace windows_platform {
constexpr unsigned long kWin32Windows = 1;  // Windows 95, 98, ME
constexpr unsigned long kWin32Nt = 2;       // NT 4.0, 2000, XP and later
}  // namespace windows_platform

struct WindowsVersion {
  unsigned long platformId = 0;
  unsigned long major = 0;
  unsigned long minor = 0;
};

// "Windows 95", "Windows 98", "Windows ME", "Windows NT 4.0", "Windows 2000",
// "Windows XP", or "" for a platform it does not know.
std::string GetWindowsName(const WindowsVersion& version);

}  // namespace vantrel
