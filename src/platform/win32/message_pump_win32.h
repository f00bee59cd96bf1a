#pragma once
#include "platform/message_pump.h"

namespace vantrel {

// PeekMessageA with PM_REMOVE, TranslateMessage, DispatchMessageA until the
// queue is empty.
class Win32MessagePump : public MessagePump {
 public:
  void DrainPending() override;
};

}  // namespace vantrel
