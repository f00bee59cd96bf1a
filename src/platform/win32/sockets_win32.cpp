#include "platform/win32/sockets_win32.h"

#include <winsock.h>

#include <cstring>
#include <vector>

namespace vantrel {

namespace {

class Win32Connection : public Connection {
 public:
  explicit Win32Connection(SOCKET socket) : socket_(socket) {}
  ~Win32Connection() override { closesocket(socket_); }
  Win32Connection(const Win32Connection&) = delete;
  Win32Connection& operator=(const Win32Connection&) = delete;

  void Send(const std::string& bytes) override { send(socket_, bytes.data(), static_cast<int>(bytes.size()), 0); }

  std::string ReceiveOnce(std::size_t size) override {
    std::vector<char> buffer(size, '\0');
    const int got = recv(socket_, buffer.data(), static_cast<int>(buffer.size()), 0);
    if (got <= 0) return std::string();
    return std::string(buffer.data(), static_cast<std::size_t>(got));
  }

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

}  // namespace

std::unique_ptr<Connection> Win32Sockets::Connect(const std::string& host, unsigned short port,
                                                  unsigned receiveTimeoutMs) {
  StartSocketLibrary();
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  if (s == INVALID_SOCKET) return nullptr;
  auto connection = std::make_unique<Win32Connection>(s);
  if (receiveTimeoutMs > 0) {
    const DWORD timeout = receiveTimeoutMs;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  }
  const hostent* found = gethostbyname(host.c_str());
  if (found == nullptr || found->h_addr_list == nullptr || found->h_addr_list[0] == nullptr) return nullptr;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  std::memcpy(&address.sin_addr, found->h_addr_list[0], sizeof address.sin_addr);
  connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  return connection;
}

}  // namespace vantrel
