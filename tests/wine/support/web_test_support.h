#pragma once
// Helpers for the tests of the programs' web traffic: the nginx folder that
// scripts/web-test.sh sets up, a small loopback server of the test's own,
// and the stand-in programs' notes.

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "program_driving.h"

namespace vantrel::winetest {

bool StartsWith(const std::string& text, const std::string& start);

// The nginx folder of this test (VANTREL_WEB_FOLDER), with a trailing backslash.
std::string WebFolder();
// Puts a file into the document root ("~kvq0417\\qorv\\QORV.RQ").
void ServeFile(const std::string& relativePath, const std::string& bytes);
void RemoveServedFile(const std::string& relativePath);
// The access log, one entry per request:
// request|Accept|Accept-Language|User-Agent|Host|Range|Connection|status
std::vector<std::string> AccessLog();

// Lines of "<name>.started.txt" that a stand-in program wrote in folder:
// the command line and the current folder of each start.
std::vector<std::string> StandInStarts(const std::string& folder, const std::string& name);
// The window of a running stand-in program, or nullptr.
HWND StandInWindow(const std::string& name);

// A server on 127.0.0.1:80 run by this test. Each connection gets a thread
// of its own that reads the request up to its blank line and hands both to
// the answer, which may send anything, wait, or return to have the
// connection closed.
class LoopbackServer {
 public:
  using Answer = std::function<void(SOCKET connection, const std::string& request)>;
  explicit LoopbackServer(Answer answer);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  bool Listening() const { return listener_ != INVALID_SOCKET; }
  // The requests received so far.
  std::vector<std::string> Requests();
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
  HANDLE stop_ = nullptr;
  HANDLE thread_ = nullptr;
  std::vector<HANDLE> connectionThreads_;
  CRITICAL_SECTION lock_;
  std::vector<std::string> requests_;
};

// Sends all of bytes on a connection.
void SendAll(SOCKET connection, const std::string& bytes);

}  // namespace vantrel::winetest
