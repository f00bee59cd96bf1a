// The main function of every Wine test program: GoogleTest with the watchdog.
#include <gtest/gtest.h>

#include "program_driving.h"
#include "watchdog.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  vantrel::winetest::ForgetReportedWindowsVersion();
  vantrel::winetest::StartWatchdog();
  return RUN_ALL_TESTS();
}
