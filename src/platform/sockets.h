#pragma once
// The socket port: one plain TCP connection for a hand-written HTTP request.

#include <cstddef>
#include <memory>
#include <string>

namespace vantrel {

// A connected (or, when connect failed unnoticed, unconnected) TCP socket;
// closed when the object goes.
class Connection {
 public:
  virtual ~Connection() = default;
  // One send of all the bytes; its result is not examined.
  virtual void Send(const std::string& bytes) = 0;
  // One receive of at most size bytes: exactly the bytes that arrived,
  // empty when the receive failed or the peer closed.
  virtual std::string ReceiveOnce(std::size_t size) = 0;
};

class Sockets {
 public:
  virtual ~Sockets() = default;
  // Starts the socket library (version 2.2), makes a TCP socket, resolves
  // host by name and connects to its first address at port (the connect's
  // result is not examined). A receive waits at most receiveTimeoutMs
  // (0: for as long as it takes). nullptr when the name does not resolve.
  virtual std::unique_ptr<Connection> Connect(const std::string& host, unsigned short port,
                                              unsigned receiveTimeoutMs) = 0;
};

}  // namespace vantrel
