#include "app/windows_name.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using windows_platform::kWin32Nt;
using windows_platform::kWin32Windows;

struct NameCase {
  WindowsVersion version;
  const char* expected;
};

const NameCase kCases[] = {
    {{kWin32Windows, 4, 0}, "Windows 95"},
    {{kWin32Windows, 4, 3}, "Windows 95"},   // OSR2 reports minor 3 on some builds
    {{kWin32Windows, 4, 9}, "Windows 95"},
    {{kWin32Windows, 4, 10}, "Windows 98"},
    {{kWin32Windows, 4, 89}, "Windows 98"},
    {{kWin32Windows, 4, 90}, "Windows ME"},
    {{kWin32Windows, 4, 255}, "Windows ME"},
    {{kWin32Nt, 3, 51}, "Windows NT 4.0"},   // anything below 5 counts as NT 4.0
    {{kWin32Nt, 4, 0}, "Windows NT 4.0"},
    {{kWin32Nt, 4, 1}, "Windows NT 4.0"},
    {{kWin32Nt, 5, 0}, "Windows 2000"},
    {{kWin32Nt, 5, 1}, "Windows XP"},
    {{kWin32Nt, 5, 2}, "Windows 2000"},      // Server 2003 and XP x64
    {{kWin32Nt, 6, 0}, "Windows 2000"},
    {{kWin32Nt, 6, 1}, "Windows XP"},        // what Wine reports by default
    {{kWin32Nt, 10, 0}, "Windows 2000"},
    {{0, 3, 10}, ""},                        // Win32s
    {{3, 5, 1}, ""},                         // Windows CE
};

TEST(WindowsNameTest, EveryPlatformAndVersion) {
  for (const NameCase& c : kCases) {
    EXPECT_EQ(GetWindowsName(c.version), c.expected)
        << "platform " << c.version.platformId << ", version " << c.version.major << "." << c.version.minor;
  }
}

}  // namespace
}  // namespace vantrel
