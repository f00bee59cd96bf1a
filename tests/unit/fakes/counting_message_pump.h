#pragma once
#include <functional>

#include "platform/message_pump.h"

namespace vantrel::testing {

// Counts the drains and can run a hook in each, the way a window message
// dispatched during a loop would.
class CountingMessagePump : public MessagePump {
 public:
  void DrainPending() override {
    ++drains;
    if (onDrain) onDrain();
  }
  int drains = 0;
  std::function<void()> onDrain;
};

}  // namespace vantrel::testing
