#include "platform/win32/clock_win32.h"

#include <windows.h>

namespace vantrel {

unsigned long long Win32Clock::NowMs() {
  const unsigned long now = GetTickCount();
  if (now < last_) ++wraps_;
  last_ = now;
  return (wraps_ << 32) | now;
}

void Win32Clock::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

}  // namespace vantrel
