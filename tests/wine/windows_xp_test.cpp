// The real programs on a system that reports itself as Windows XP (Wine's
// per-program version setting): they start, show their window and end as on
// any later Windows, and the main window takes the XP height.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "program_driving.h"
#include "wine_test_support.h"

namespace {

using vantrel::winetest::BuiltProgram;
using vantrel::winetest::FindTestWindow;
using vantrel::winetest::MakeFolder;
using vantrel::winetest::ReportedWindowsVersion;
using vantrel::winetest::RunningProgram;
using vantrel::winetest::ScratchFolder;
using vantrel::winetest::WaitUntil;

constexpr const char* kTitle = "Vantrel V.ZEL";

// Starts Qorv.exe under the given reported Windows, waits until its main
// window is on screen for good and closes it; the window's height, or 0 when
// it never came.
int MainWindowHeightUnder(const char* version) {
  static int runs = 0;
  const std::string folder = MakeFolder(ScratchFolder() + "run_" + std::to_string(++runs));
  if (!CopyFileA(BuiltProgram("Qorv.exe").c_str(), (folder + "Qorv.exe").c_str(), FALSE)) return 0;
  ReportedWindowsVersion reported(version);
  EXPECT_TRUE(reported.Set());
  RunningProgram qorv(folder + "Qorv.exe", "", folder);
  EXPECT_TRUE(qorv.Started());
  HWND main = nullptr;
  RECT rect = {};
  const bool shown = WaitUntil(
      [&] {
        main = FindTestWindow(nullptr, kTitle);
        return main != nullptr && IsWindowVisible(main) && !IsIconic(main) && GetWindowRect(main, &rect) &&
               rect.left >= 0 && rect.top >= 0;
      },
      20000);
  EXPECT_TRUE(shown) << "the main window never came on screen under " << version;
  // Start-up moves and restores the window before it settles: measure it
  // once two looks a moment apart agree.
  if (shown) {
    WaitUntil(
        [&] {
          Sleep(300);
          RECT now = {};
          GetWindowRect(main, &now);
          const bool settled = EqualRect(&now, &rect) != FALSE;
          rect = now;
          return settled;
        },
        10000);
  }
  if (main != nullptr) PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(qorv.WaitForExit(20000)) << "Qorv.exe did not end under " << version;
  EXPECT_EQ(qorv.ExitCode(), 0u);
  return shown ? rect.bottom - rect.top : 0;
}

// What each width can meet: the 32-bit program Windows XP (5.1), which gets
// the XP height of the main window, 7 pixels less; the 64-bit program
// Windows XP x64 (5.2), which it takes for Windows 2000, as every NT 5 that
// is not 5.1.
struct XpCase {
  const char* version;
  int heightLessThanOnWindows10;
};

TEST(WindowsXp, QorvStartsShowsItsWindowAndEnds) {
  const XpCase c = sizeof(void*) == 8 ? XpCase{"winxp64", 0} : XpCase{"winxp", 7};
  const int onXp = MainWindowHeightUnder(c.version);
  const int onWindows10 = MainWindowHeightUnder("win10");
  ASSERT_GT(onXp, 0);
  ASSERT_GT(onWindows10, 0);
  EXPECT_EQ(onWindows10 - onXp, c.heightLessThanOnWindows10) << c.version;
}

}  // namespace
