#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fakes/scripted_incoming.h"
#include "platform/internet.h"

namespace vantrel::testing {

// Addresses served from memory, chunk by chunk. Every call lands in log.
class FakeInternet : public Internet {
 public:
  std::unique_ptr<InternetSession> Open(const std::string& agent) override {
    log->push_back("InternetOpen " + agent);
    if (!opens) return nullptr;
    return std::make_unique<Session>(*this);
  }

  // Serves body in chunks of at most chunkSize bytes.
  void Serve(const std::string& url, const std::string& body, std::size_t chunkSize = 4096, int status = 200) {
    replies[url] = Script::Of(body, chunkSize, status);
  }

  bool opens = true;
  std::map<std::string, Script> replies;  // an address left out cannot be opened
  // Calls in order; point it at one shared list to see the order across fakes.
  std::vector<std::string> calls;
  std::vector<std::string>* log = &calls;
  // Runs before each look at a transfer: lets a test act between two chunks.
  std::function<void(const std::string& url, int look)> beforeLook;

 private:
  class Session : public InternetSession {
   public:
    explicit Session(FakeInternet& owner) : owner_(owner) {}
    ~Session() override { owner_.log->push_back("InternetClose"); }
    std::unique_ptr<Incoming> Fetch(const std::string& url) override {
      owner_.log->push_back("Fetch " + url);
      const auto found = owner_.replies.find(url);
      Script script;
      if (found == owner_.replies.end()) {
        script.status = 0;
        script.end = Incoming::State::kFailed;
      } else {
        script = found->second;
      }
      FakeInternet& owner = owner_;
      return std::make_unique<ScriptedIncoming>(
          script,
          [&owner, url](int look) {
            if (owner.beforeLook) owner.beforeLook(url, look);
          },
          [&owner, url] { owner.log->push_back("Drop " + url); });
    }

   private:
    FakeInternet& owner_;
  };
};

}  // namespace vantrel::testing
