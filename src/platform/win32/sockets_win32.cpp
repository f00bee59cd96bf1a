#include "platform/win32/sockets_win32.h"

#include <winsock.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32/incoming_thread_win32.h"

namespace vantrel {

namespace {

// A receive returns at least this often, so that an abandoned exchange
// lets go of its socket soon even when the other end is silent.
constexpr DWORD kReceiveSliceMs = 1000;

class Socket {
 public:
  Socket() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {}
  ~Socket() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  SOCKET get() const { return socket_; }

 private:
  SOCKET socket_;
};

void StartSocketLibrary() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(0x0202, &data) == 0;
  }();
  (void)started;
}

bool SendAll(SOCKET socket, const std::string& bytes) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    const int sent = send(socket, bytes.data() + at, static_cast<int>(bytes.size() - at), 0);
    if (sent <= 0) return false;
    at += static_cast<std::size_t>(sent);
  }
  return true;
}

void ExchangeInto(const sockaddr_in& address, const std::string& request, std::size_t replyLimit,
                  IncomingBuffer& buffer) {
  Socket socket;
  if (socket.get() == INVALID_SOCKET ||
      connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      !SendAll(socket.get(), request)) {
    return buffer.Finish(Incoming::State::kFailed);
  }
  const DWORD slice = kReceiveSliceMs;
  setsockopt(socket.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&slice), sizeof slice);
  std::vector<char> chunk(std::max<std::size_t>(replyLimit, 1));
  std::size_t received = 0;
  while (received < replyLimit) {
    const int got = recv(socket.get(), chunk.data(), static_cast<int>(replyLimit - received), 0);
    if (got == 0) break;
    if (got < 0) {
      if (WSAGetLastError() == WSAETIMEDOUT && !buffer.Abandoned()) continue;
      return buffer.Finish(Incoming::State::kFailed);
    }
    received += static_cast<std::size_t>(got);
    if (!buffer.Deliver(chunk.data(), static_cast<std::size_t>(got))) return;
  }
  buffer.Finish(Incoming::State::kEnded);
}

}  // namespace

std::unique_ptr<Incoming> Win32Sockets::Exchange(const std::string& host, unsigned short port,
                                                 const std::string& request, std::size_t replyLimit) {
  StartSocketLibrary();
  const hostent* found = gethostbyname(host.c_str());
  if (found == nullptr || found->h_addr_list == nullptr || found->h_addr_list[0] == nullptr) return nullptr;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  std::memcpy(&address.sin_addr, found->h_addr_list[0], sizeof address.sin_addr);
  return StartIncoming(
      [address, request, replyLimit](IncomingBuffer& buffer) { ExchangeInto(address, request, replyLimit, buffer); });
}

}  // namespace vantrel
