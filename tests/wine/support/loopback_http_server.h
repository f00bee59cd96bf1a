#pragma once
// Web servers on 127.0.0.1 run by a test: one whose answers the test writes,
// and one that answers every request with a short page for the tests that
// make a browser or the program ask for a page.

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vantrel::winetest {

// Each connection gets a thread of its own that reads the request up to its
// blank line and hands both to the answer, which may send anything, wait,
// or return to have the connection closed.
class LoopbackServer {
 public:
  using Answer = std::function<void(SOCKET connection, const std::string& request)>;
  explicit LoopbackServer(Answer answer, unsigned short port = 80);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  // False when the port could not be had; Error then says why.
  bool Listening() const { return listener_ != INVALID_SOCKET; }
  const std::string& Error() const { return error_; }
  // The requests received so far.
  std::vector<std::string> Requests() const;
  // Signalled when the server stops: an answer that waits for it holds its
  // connection open until then.
  HANDLE StopEvent() const { return stop_; }

 private:
  static DWORD WINAPI Serve(void* self);
  static DWORD WINAPI ServeOne(void* job);
  void ServeConnections();
  void ServeConnection(SOCKET connection);

  Answer answer_;
  SOCKET listener_ = INVALID_SOCKET;
  std::string error_;
  HANDLE stop_ = nullptr;
  HANDLE thread_ = nullptr;
  std::vector<HANDLE> connectionThreads_;
  mutable CRITICAL_SECTION lock_;
  std::vector<std::string> requests_;
};

// Sends all of bytes on a connection.
void SendAll(SOCKET connection, const std::string& bytes);

// Answers every request with a short page and keeps the request lines.
class LoopbackHttpServer {
 public:
  explicit LoopbackHttpServer(unsigned short port);

  bool Listening() const { return server_.Listening(); }
  const std::string& Error() const { return server_.Error(); }

  std::vector<std::string> RequestLines() const;
  // How many requests started with this line (for example "GET /home.html HTTP/1.1").
  int Count(const std::string& requestLine) const;
  // Waits until at least count requests with this line have come.
  bool WaitForRequests(const std::string& requestLine, int count, DWORD milliseconds) const;

 private:
  LoopbackServer server_;
};

}  // namespace vantrel::winetest
