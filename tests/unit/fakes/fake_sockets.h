#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/sockets.h"

namespace vantrel::testing {

// A server in memory: the name resolves or not; one receive gets at most
// the requested size of reply. Calls land in log, sent bytes in sent.
class FakeSockets : public Sockets {
 public:
  std::unique_ptr<Connection> Connect(const std::string& host, unsigned short port,
                                      unsigned receiveTimeoutMs) override {
    log->push_back("Connect " + host + ":" + std::to_string(port));
    timeouts.push_back(receiveTimeoutMs);
    if (!resolves) return nullptr;
    return std::make_unique<FakeConnection>(*this);
  }

  bool resolves = true;
  std::string reply;
  std::vector<std::string> sent;
  std::vector<std::size_t> receiveSizes;
  std::vector<unsigned> timeouts;
  // Calls in order; point it at one shared list to see the order across fakes.
  std::vector<std::string> calls;
  std::vector<std::string>* log = &calls;

 private:
  class FakeConnection : public Connection {
   public:
    explicit FakeConnection(FakeSockets& owner) : owner_(owner) {}
    ~FakeConnection() override { owner_.log->push_back("CloseSocket"); }
    void Send(const std::string& bytes) override {
      owner_.log->push_back("Send");
      owner_.sent.push_back(bytes);
    }
    std::string ReceiveOnce(std::size_t size) override {
      owner_.log->push_back("Receive");
      owner_.receiveSizes.push_back(size);
      return owner_.reply.substr(0, size);
    }

   private:
    FakeSockets& owner_;
  };
};

}  // namespace vantrel::testing
