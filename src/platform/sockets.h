#pragma once
// The socket port: one hand-written HTTP request over a plain TCP
// connection, and its reply.

#include <cstddef>
#include <memory>
#include <string>

#include "platform/incoming.h"

namespace vantrel {

class Sockets {
 public:
  virtual ~Sockets() = default;
  // Starts the socket library (version 2.2) and resolves host by name; then,
  // on a thread of its own, connects to its first address at port, sends
  // request in one send and receives the reply until the other end closes
  // or replyLimit bytes have come. A connection that cannot be made fails.
  // nullptr when the name does not resolve.
  virtual std::unique_ptr<Incoming> Exchange(const std::string& host, unsigned short port,
                                             const std::string& request, std::size_t replyLimit) = 0;
};

}  // namespace vantrel
