#include "platform/win32/internet_win32.h"

#include <windows.h>
#include <wininet.h>

namespace vantrel {

namespace {

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
  ~InternetHandle() {
    if (handle_ != nullptr) InternetCloseHandle(handle_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return handle_; }

 private:
  HINTERNET handle_;
};

class Win32InternetFile : public InternetFile {
 public:
  explicit Win32InternetFile(HINTERNET handle) : handle_(handle) {}

  int StatusCode() override {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(handle_.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr)) {
      return 0;
    }
    return static_cast<int>(status);
  }

  bool QueryDataAvailable(std::size_t& count) override {
    DWORD available = 0;
    const bool ok = InternetQueryDataAvailable(handle_.get(), &available, 0, 0) != FALSE;
    count = ok ? available : 0;
    return ok;
  }

  bool Read(char* buffer, std::size_t size, std::size_t& read) override {
    DWORD got = 0;
    const bool ok = InternetReadFile(handle_.get(), buffer, static_cast<DWORD>(size), &got) != FALSE;
    read = ok ? got : 0;
    return ok;
  }

 private:
  InternetHandle handle_;
};

class Win32InternetSession : public InternetSession {
 public:
  explicit Win32InternetSession(HINTERNET handle) : handle_(handle) {}

  std::unique_ptr<InternetFile> OpenUrl(const std::string& url) override {
    HINTERNET file = InternetOpenUrlA(handle_.get(), url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    if (file == nullptr) return nullptr;
    return std::make_unique<Win32InternetFile>(file);
  }

 private:
  InternetHandle handle_;
};

}  // namespace

std::unique_ptr<InternetSession> Win32Internet::Open(const std::string& agent) {
  HINTERNET root = InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (root == nullptr) return nullptr;
  return std::make_unique<Win32InternetSession>(root);
}

}  // namespace vantrel
