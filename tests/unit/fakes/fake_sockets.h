#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fakes/scripted_incoming.h"
#include "platform/sockets.h"

namespace vantrel::testing {

// A server in memory: the name resolves or not; each request gets the
// reply scripted for its first line (an empty reply that ends at once when
// there is none). Calls land in log, sent bytes in sent.
class FakeSockets : public Sockets {
 public:
  std::unique_ptr<Incoming> Exchange(const std::string& host, unsigned short port, const std::string& request,
                                     std::size_t replyLimit) override {
    log->push_back("Exchange " + host + ":" + std::to_string(port));
    if (!resolves) return nullptr;
    sent.push_back(request);
    replyLimits.push_back(replyLimit);
    const auto found = replies.find(request.substr(0, request.find("\r\n")));
    Script script = found == replies.end() ? Script{} : found->second;
    script.status = 0;
    return std::make_unique<ScriptedIncoming>(script, nullptr, [this] { log->push_back("CloseSocket"); });
  }

  // The reply to requests whose first line is requestLine, in chunks.
  void Answer(const std::string& requestLine, const std::string& reply, std::size_t chunkSize = 4096) {
    replies[requestLine] = Script::Of(reply, chunkSize);
  }

  bool resolves = true;
  std::map<std::string, Script> replies;
  std::vector<std::string> sent;
  std::vector<std::size_t> replyLimits;
  // Calls in order; point it at one shared list to see the order across fakes.
  std::vector<std::string> calls;
  std::vector<std::string>* log = &calls;
};

}  // namespace vantrel::testing
