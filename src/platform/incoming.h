#pragma once
// Bytes of a transfer that runs on a thread of its own: the caller takes
// what has arrived without ever waiting, so a window stays answering however
// slow or silent the other end is.

#include <cstddef>
#include <string>

namespace vantrel {

class Incoming {
 public:
  enum class State {
    kWaiting,  // nothing more yet: still connecting, or the next bytes are on their way
    kEnded,    // the other end closed after the bytes taken so far
    kFailed,   // the transfer broke off, or could not be opened
  };
  // Dropping a transfer that has not ended abandons it at once: its thread
  // lets go of the connection as soon as its current call returns.
  virtual ~Incoming() = default;
  // Appends at most limit of the bytes that have arrived to into.
  virtual State Take(std::string& into, std::size_t limit) = 0;
  // The HTTP status of the reply once its headers are in; 0 before, and for
  // a transfer that could not be opened or is not HTTP.
  virtual int StatusCode() = 0;
};

}  // namespace vantrel
