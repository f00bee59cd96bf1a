#include "loopback_http_server.h"

#include <algorithm>
#include <memory>

#include "program_driving.h"

namespace vantrel::winetest {

namespace {

std::string WinsockError(const std::string& step) {
  return step + " failed: WSA error " + std::to_string(WSAGetLastError());
}

struct ConnectionJob {
  LoopbackServer* server;
  SOCKET connection;
};

}  // namespace

LoopbackServer::LoopbackServer(Answer answer, unsigned short port) : answer_(std::move(answer)) {
  InitializeCriticalSection(&lock_);
  WSADATA data;
  WSAStartup(0x0202, &data);
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  if (listener_ == INVALID_SOCKET) {
    error_ = WinsockError("socket");
    return;
  }
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  BOOL reuse = TRUE;
  setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
  if (bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    error_ = WinsockError("bind 127.0.0.1:" + std::to_string(port));
  } else if (listen(listener_, 8) != 0) {
    error_ = WinsockError("listen");
  }
  if (!error_.empty()) {
    closesocket(listener_);
    listener_ = INVALID_SOCKET;
    return;
  }
  thread_ = CreateThread(nullptr, 0, &LoopbackServer::Serve, this, 0, nullptr);
}

LoopbackServer::~LoopbackServer() {
  SetEvent(stop_);
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  if (thread_ != nullptr) {
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
  }
  for (HANDLE thread : connectionThreads_) {
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
  }
  CloseHandle(stop_);
  DeleteCriticalSection(&lock_);
}

std::vector<std::string> LoopbackServer::Requests() const {
  EnterCriticalSection(&lock_);
  std::vector<std::string> copy = requests_;
  LeaveCriticalSection(&lock_);
  return copy;
}

DWORD WINAPI LoopbackServer::Serve(void* self) {
  static_cast<LoopbackServer*>(self)->ServeConnections();
  return 0;
}

DWORD WINAPI LoopbackServer::ServeOne(void* job) {
  std::unique_ptr<ConnectionJob> owned(static_cast<ConnectionJob*>(job));
  owned->server->ServeConnection(owned->connection);
  return 0;
}

void LoopbackServer::ServeConnections() {
  while (WaitForSingleObject(stop_, 0) == WAIT_TIMEOUT) {
    SOCKET connection = accept(listener_, nullptr, nullptr);
    if (connection == INVALID_SOCKET) return;
    HANDLE thread = CreateThread(nullptr, 0, &LoopbackServer::ServeOne, new ConnectionJob{this, connection}, 0, nullptr);
    EnterCriticalSection(&lock_);
    connectionThreads_.push_back(thread);
    LeaveCriticalSection(&lock_);
  }
}

void LoopbackServer::ServeConnection(SOCKET connection) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    const int got = recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    request.append(buffer, static_cast<std::size_t>(got));
  }
  EnterCriticalSection(&lock_);
  requests_.push_back(request);
  LeaveCriticalSection(&lock_);
  answer_(connection, request);
  shutdown(connection, SD_SEND);
  closesocket(connection);
}

void SendAll(SOCKET connection, const std::string& bytes) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    const int sent = send(connection, bytes.data() + at, static_cast<int>(bytes.size() - at), 0);
    if (sent <= 0) return;
    at += static_cast<std::size_t>(sent);
  }
}

LoopbackHttpServer::LoopbackHttpServer(unsigned short port)
    : server_(
          [](SOCKET connection, const std::string&) {
            const std::string body = "<html><body>Vantrel test page</body></html>";
            SendAll(connection, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                                    std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
          },
          port) {}

std::vector<std::string> LoopbackHttpServer::RequestLines() const {
  std::vector<std::string> lines;
  for (const std::string& request : server_.Requests()) lines.push_back(request.substr(0, request.find("\r\n")));
  return lines;
}

int LoopbackHttpServer::Count(const std::string& requestLine) const {
  const std::vector<std::string> lines = RequestLines();
  return static_cast<int>(std::count(lines.begin(), lines.end(), requestLine));
}

bool LoopbackHttpServer::WaitForRequests(const std::string& requestLine, int count, DWORD milliseconds) const {
  return WaitUntil([&] { return Count(requestLine) >= count; }, milliseconds);
}

}  // namespace vantrel::winetest
