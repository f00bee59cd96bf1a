#pragma once
#include "platform/clock.h"

namespace vantrel {

// The system's tick count, carried past its 49-day wrap.
class Win32Clock : public Clock {
 public:
  unsigned long long NowMs() override;
  void Sleep(unsigned milliseconds) override;

 private:
  unsigned long last_ = 0;
  unsigned long long wraps_ = 0;
};

}  // namespace vantrel
