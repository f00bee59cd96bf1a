#pragma once
// Keeps the windows alive during long loops: dispatches every pending window
// message (PeekMessageA with PM_REMOVE, TranslateMessage, DispatchMessageA)
// until the queue is empty.

namespace vantrel {

class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void DrainPending() = 0;
};

}  // namespace vantrel
