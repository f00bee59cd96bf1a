// The main function of every Wine test program: GoogleTest with the watchdog.
#include <gtest/gtest.h>
#include <windows.h>

#include "program_driving.h"
#include "watchdog.h"

namespace {

// The mouse pointer is shared by every test program of a lane: each test
// finds it in the top left corner, away from the windows and menus it opens
// (a menu selects the item under the pointer), wherever the last test left it.
class PointerInTheCorner : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { SetCursorPos(0, 0); }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  vantrel::winetest::ForgetReportedWindowsVersion();
  vantrel::winetest::StartWatchdog();
  ::testing::UnitTest::GetInstance()->listeners().Append(new PointerInTheCorner);
  return RUN_ALL_TESTS();
}
