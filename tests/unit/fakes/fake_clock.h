#pragma once
#include "platform/clock.h"

namespace vantrel::testing {

// Time that moves only when someone waits.
class FakeClock : public Clock {
 public:
  unsigned long long NowMs() override { return now; }
  void Sleep(unsigned milliseconds) override { now += milliseconds; }

  unsigned long long now = 1000;
};

}  // namespace vantrel::testing
