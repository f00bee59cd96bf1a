#include <winsock2.h>

#include "loopback_http_server.h"

#include <algorithm>

#include "menu_driving.h"

namespace vantrel::winetest {

namespace {

std::string WinsockError(const char* step) { return std::string(step) + " failed: WSA error " + std::to_string(WSAGetLastError()); }

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(unsigned short port) {
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) {
    error_ = "WSAStartup failed";
    return;
  }
  SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener == INVALID_SOCKET) {
    error_ = WinsockError("socket");
    return;
  }
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    error_ = WinsockError(("bind 127.0.0.1:" + std::to_string(port)).c_str());
    closesocket(listener);
    return;
  }
  if (listen(listener, 16) != 0) {
    error_ = WinsockError("listen");
    closesocket(listener);
    return;
  }
  listener_ = listener;
  thread_ = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  if (listener_ != kNoSocket) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    thread_.join();
    closesocket(listener_);
  }
  WSACleanup();
}

void LoopbackHttpServer::Serve() {
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_) return;
    }
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(static_cast<SOCKET>(listener_), &ready);
    timeval wait = {0, 50000};
    if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET connection = accept(listener_, nullptr, nullptr);
    if (connection == INVALID_SOCKET) continue;
    Answer(connection);
    closesocket(connection);
  }
}

void LoopbackHttpServer::Answer(UINT_PTR connection) {
  std::string request;
  char buffer[2048];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    const int got = recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    request.append(buffer, static_cast<std::size_t>(got));
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back(request.substr(0, request.find("\r\n")));
  }
  const std::string body = "<html><body>Vantrel test page</body></html>";
  const std::string answer = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                             std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
  send(connection, answer.data(), static_cast<int>(answer.size()), 0);
  shutdown(connection, SD_SEND);
}

std::vector<std::string> LoopbackHttpServer::RequestLines() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lines_;
}

int LoopbackHttpServer::Count(const std::string& requestLine) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(std::count(lines_.begin(), lines_.end(), requestLine));
}

bool LoopbackHttpServer::WaitForRequests(const std::string& requestLine, int count, DWORD milliseconds) const {
  return WaitUntil([&] { return Count(requestLine) >= count; }, milliseconds);
}

}  // namespace vantrel::winetest
