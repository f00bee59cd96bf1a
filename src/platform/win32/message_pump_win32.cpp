#include "platform/win32/message_pump_win32.h"

#include <windows.h>

namespace vantrel {

void Win32MessagePump::DrainPending() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace vantrel
