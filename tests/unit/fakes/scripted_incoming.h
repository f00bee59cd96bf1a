#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/incoming.h"

namespace vantrel::testing {

// What a fake transfer brings: chunks, one per look, then its end. A
// transfer whose end is kWaiting never ends (a silent server); with
// endlessChunk set, that chunk comes again and again after the others.
struct Script {
  int status = 200;
  std::vector<std::string> chunks;
  Incoming::State end = Incoming::State::kEnded;
  std::string endlessChunk;

  static Script Of(const std::string& body, std::size_t chunkSize, int status = 200) {
    Script script;
    script.status = status;
    for (std::size_t at = 0; at < body.size(); at += chunkSize) script.chunks.push_back(body.substr(at, chunkSize));
    return script;
  }
};

class ScriptedIncoming : public Incoming {
 public:
  ScriptedIncoming(Script script, std::function<void(int look)> beforeLook, std::function<void()> onDrop)
      : script_(std::move(script)), beforeLook_(std::move(beforeLook)), onDrop_(std::move(onDrop)) {}
  ~ScriptedIncoming() override {
    if (onDrop_) onDrop_();
  }

  State Take(std::string& into, std::size_t limit) override {
    if (beforeLook_) beforeLook_(looks_);
    ++looks_;
    if (limit == 0) return next_ < script_.chunks.size() ? State::kWaiting : Ending();
    if (next_ < script_.chunks.size()) {
      std::string& chunk = script_.chunks[next_];
      into.append(chunk, 0, limit);
      chunk.erase(0, limit);
      if (chunk.empty()) ++next_;
      return next_ < script_.chunks.size() ? State::kWaiting : Ending();
    }
    if (!script_.endlessChunk.empty()) {
      into.append(script_.endlessChunk, 0, limit);
      return State::kWaiting;
    }
    return Ending();
  }

  int StatusCode() override { return script_.status; }

 private:
  State Ending() const { return script_.endlessChunk.empty() ? script_.end : State::kWaiting; }

  Script script_;
  std::function<void(int look)> beforeLook_;
  std::function<void()> onDrop_;
  std::size_t next_ = 0;
  int looks_ = 0;
};

}  // namespace vantrel::testing
