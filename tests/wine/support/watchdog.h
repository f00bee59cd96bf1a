#pragma once
// Every test of a Wine test program has a deadline of its own. A test that
// outlives it is cut off by the watchdog, which first says which test it
// was and what its threads were waiting for (the notes below), then ends
// the programs the test started and the test program itself: a hung test
// fails within its deadline and says why, and the next one is not held up.

#include <windows.h>

#include <string>

namespace vantrel::winetest {

// Seconds each test may run (VANTREL_TEST_DEADLINE overrides it).
constexpr DWORD kDefaultTestDeadlineSeconds = 60;

// What the calling thread waits for, while the object lives: the watchdog
// reports it if the test runs out of time meanwhile. Notes nest.
class WaitNote {
 public:
  explicit WaitNote(std::string what);
  ~WaitNote();
  WaitNote(const WaitNote&) = delete;
  WaitNote& operator=(const WaitNote&) = delete;

 private:
  DWORD thread_;
};

// Starts watching the tests of this program (once, from main).
void StartWatchdog();

}  // namespace vantrel::winetest
