#include "web_test_support.h"

#include <winsock2.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "wine_test_support.h"

namespace vantrel::winetest {

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

std::string WebFolder() {
  const char* folder = std::getenv("VANTREL_WEB_FOLDER");
  if (folder == nullptr) throw std::runtime_error("VANTREL_WEB_FOLDER is not set; run through web-test.sh");
  return std::string(folder) + "\\";
}

void ServeFile(const std::string& relativePath, const std::string& bytes) {
  const std::string path = WebFolder() + "root\\" + relativePath;
  MakeFolder(path.substr(0, path.find_last_of('\\')));
  WriteBytes(path, bytes);
}

void RemoveServedFile(const std::string& relativePath) {
  DeleteFileA((WebFolder() + "root\\" + relativePath).c_str());
}

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::vector<std::string> AccessLog() { return Lines(ReadBytes(WebFolder() + "logs\\access.log")); }

std::vector<std::string> StandInStarts(const std::string& folder, const std::string& name) {
  // Empty lines count here: an empty command line is one.
  const std::string text = ReadBytes(folder + name + ".started.txt");
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

HWND StandInWindow(const std::string& name) { return FindWindowA(nullptr, ("Vantrel stand-in " + name).c_str()); }

LoopbackServer::LoopbackServer(Answer answer) : answer_(std::move(answer)) {
  InitializeCriticalSection(&lock_);
  WSADATA data;
  WSAStartup(0x0202, &data);
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(80);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  BOOL reuse = TRUE;
  setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
  if (bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 8) != 0) {
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

std::vector<std::string> LoopbackServer::Requests() {
  EnterCriticalSection(&lock_);
  std::vector<std::string> copy = requests_;
  LeaveCriticalSection(&lock_);
  return copy;
}

DWORD WINAPI LoopbackServer::Serve(void* self) {
  static_cast<LoopbackServer*>(self)->ServeConnections();
  return 0;
}

namespace {

struct ConnectionJob {
  LoopbackServer* server;
  SOCKET connection;
};

}  // namespace

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

}  // namespace vantrel::winetest
