#pragma once
// A transfer on a thread of its own, read through the Incoming port.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/incoming.h"

namespace vantrel {

// What the transfer's thread hands over to its reader. Both keep it alive.
class IncomingBuffer {
 public:
  IncomingBuffer();
  ~IncomingBuffer();
  IncomingBuffer(const IncomingBuffer&) = delete;
  IncomingBuffer& operator=(const IncomingBuffer&) = delete;

  // The thread's side. Deliver waits while the reader is far behind; false
  // once the reader has let go.
  bool Deliver(const char* bytes, std::size_t size);
  void SetStatusCode(int status);
  void Finish(Incoming::State state);
  bool Abandoned();

  // The reader's side.
  Incoming::State Take(std::string& into, std::size_t limit);
  int StatusCode();
  void Abandon();

 private:
  CRITICAL_SECTION lock_;
  HANDLE taken_;  // signalled whenever the reader takes bytes or lets go
  std::string pending_;
  Incoming::State state_ = Incoming::State::kWaiting;
  int status_ = 0;
  bool abandoned_ = false;
};

// Runs transfer on a new thread and returns its reader; the transfer gives
// the buffer its bytes and its end.
std::unique_ptr<Incoming> StartIncoming(std::function<void(IncomingBuffer&)> transfer);

}  // namespace vantrel
