#pragma once
// Time for deadlines: milliseconds since some fixed moment, and a pause.

namespace vantrel {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual unsigned long long NowMs() = 0;
  virtual void Sleep(unsigned milliseconds) = 0;
};

}  // namespace vantrel
