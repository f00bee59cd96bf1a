#pragma once
// A small HTTP server on 127.0.0.1 for the tests that make a browser or the
// program ask for a page: it answers every request with a short page and
// keeps the request lines it saw.

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantrel::winetest {

class LoopbackHttpServer {
 public:
  explicit LoopbackHttpServer(unsigned short port);
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  // False when the port could not be had; Error then says why.
  bool Listening() const { return listener_ != kNoSocket; }
  const std::string& Error() const { return error_; }

  std::vector<std::string> RequestLines() const;
  // How many requests started with this line (for example "GET /home.html HTTP/1.1").
  int Count(const std::string& requestLine) const;
  // Waits until at least count requests with this line have come.
  bool WaitForRequests(const std::string& requestLine, int count, DWORD milliseconds) const;

 private:
  static constexpr UINT_PTR kNoSocket = ~static_cast<UINT_PTR>(0);
  void Serve();
  void Answer(UINT_PTR connection);

  UINT_PTR listener_ = kNoSocket;
  std::string error_;
  bool stopping_ = false;
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
  std::thread thread_;
};

}  // namespace vantrel::winetest
