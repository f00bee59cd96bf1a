#pragma once
// Keeps the windows alive during long loops: dispatches every pending window
// message (PeekMessageA with PM_REMOVE, TranslateMessage, DispatchMessageA)
// until the queue is empty.

namespace vantrel {

class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void DrainPending() = 0;
  // True when the loops should end before their next item (a preview
  // whose count was cancelled); they ask after every drain. A cleaning run
  // is never stopped, so the pump of a run always answers false.
  virtual bool Stopping() const { return false; }
};

}  // namespace vantrel
