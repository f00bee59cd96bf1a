#include "platform/win32/internet_win32.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <vector>

#include "platform/win32/incoming_thread_win32.h"

namespace vantrel {

namespace {

// Never from the cache, and nothing of it kept there.
constexpr DWORD kFetchFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
constexpr DWORD kChunkSize = 64 * 1024;

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

int StatusCodeOf(HINTERNET file) {
  DWORD status = 0;
  DWORD size = sizeof status;
  if (!HttpQueryInfoA(file, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) return 0;
  return static_cast<int>(status);
}

void FetchInto(HINTERNET root, const std::string& url, IncomingBuffer& buffer) {
  InternetHandle file(InternetOpenUrlA(root, url.c_str(), nullptr, 0, kFetchFlags, 0));
  if (file.get() == nullptr) return buffer.Finish(Incoming::State::kFailed);
  buffer.SetStatusCode(StatusCodeOf(file.get()));
  std::vector<char> chunk(kChunkSize);
  for (;;) {
    DWORD available = 0;
    DWORD read = 0;
    if (!InternetQueryDataAvailable(file.get(), &available, 0, 0) ||
        !InternetReadFile(file.get(), chunk.data(), std::clamp<DWORD>(available, 1, kChunkSize), &read)) {
      return buffer.Finish(Incoming::State::kFailed);
    }
    if (read == 0) return buffer.Finish(Incoming::State::kEnded);
    if (!buffer.Deliver(chunk.data(), read)) return;
  }
}

class Win32InternetSession : public InternetSession {
 public:
  explicit Win32InternetSession(HINTERNET handle) : root_(std::make_shared<InternetHandle>(handle)) {}

  std::unique_ptr<Incoming> Fetch(const std::string& url) override {
    // The thread keeps the root handle open for as long as it needs it.
    std::shared_ptr<InternetHandle> root = root_;
    return StartIncoming([root, url](IncomingBuffer& buffer) { FetchInto(root->get(), url, buffer); });
  }

 private:
  std::shared_ptr<InternetHandle> root_;
};

}  // namespace

std::unique_ptr<InternetSession> Win32Internet::Open(const std::string& agent) {
  HINTERNET root = InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (root == nullptr) return nullptr;
  return std::make_unique<Win32InternetSession>(root);
}

}  // namespace vantrel
