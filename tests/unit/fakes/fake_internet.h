#pragma once
#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/internet.h"

namespace vantrel::testing {

// Addresses served from memory, chunk by chunk. Every call lands in log.
class FakeInternet : public Internet {
 public:
  struct Reply {
    int status = 200;
    std::vector<std::string> chunks;
    int failingRead = -1;  // this read (0 based) fails
  };

  std::unique_ptr<InternetSession> Open(const std::string& agent) override {
    log->push_back("InternetOpen " + agent);
    if (!opens) return nullptr;
    return std::make_unique<Session>(*this);
  }

  // Serves body in chunks of at most chunkSize bytes.
  void Serve(const std::string& url, const std::string& body, std::size_t chunkSize = 4096, int status = 200) {
    Reply reply;
    reply.status = status;
    for (std::size_t at = 0; at < body.size(); at += chunkSize) reply.chunks.push_back(body.substr(at, chunkSize));
    replies[url] = reply;
  }

  bool opens = true;
  std::map<std::string, Reply> replies;  // an address left out cannot be opened
  // Calls in order; point it at one shared list to see the order across fakes.
  std::vector<std::string> calls;
  std::vector<std::string>* log = &calls;
  // Runs before each read: lets a test act between two chunks.
  std::function<void(const std::string& url, int read)> beforeRead;

 private:
  class File : public InternetFile {
   public:
    File(FakeInternet& owner, std::string url, Reply reply)
        : owner_(owner), url_(std::move(url)), reply_(std::move(reply)) {}
    ~File() override { owner_.log->push_back("Close " + url_); }
    int StatusCode() override { return reply_.status; }
    bool QueryDataAvailable(std::size_t& count) override {
      count = next_ < reply_.chunks.size() ? reply_.chunks[next_].size() : 0;
      return true;
    }
    bool Read(char* buffer, std::size_t size, std::size_t& read) override {
      const int index = reads_++;
      if (owner_.beforeRead) owner_.beforeRead(url_, index);
      if (index == reply_.failingRead) {
        read = 0;
        return false;
      }
      if (next_ >= reply_.chunks.size()) {
        read = 0;
        return true;
      }
      const std::string& chunk = reply_.chunks[next_++];
      read = std::min(size, chunk.size());
      std::memcpy(buffer, chunk.data(), read);
      return true;
    }

   private:
    FakeInternet& owner_;
    std::string url_;
    Reply reply_;
    std::size_t next_ = 0;
    int reads_ = 0;
  };

  class Session : public InternetSession {
   public:
    explicit Session(FakeInternet& owner) : owner_(owner) {}
    ~Session() override { owner_.log->push_back("InternetClose"); }
    std::unique_ptr<InternetFile> OpenUrl(const std::string& url) override {
      owner_.log->push_back("OpenUrl " + url);
      const auto found = owner_.replies.find(url);
      if (found == owner_.replies.end()) return nullptr;
      return std::make_unique<File>(owner_, url, found->second);
    }

   private:
    FakeInternet& owner_;
  };
};

}  // namespace vantrel::testing
