#pragma once
// The Internet port (WinINet): a root handle opened under an agent name, and
// addresses fetched through it, always from the network and never kept in
// the Internet cache.

#include <memory>
#include <string>

#include "platform/incoming.h"

namespace vantrel {

// A root Internet handle; closed when the object goes (a fetch still
// running keeps what it needs).
class InternetSession {
 public:
  virtual ~InternetSession() = default;
  // InternetOpenUrlA with no headers, INTERNET_FLAG_RELOAD and
  // INTERNET_FLAG_NO_CACHE_WRITE, then InternetReadFile until the end, on a
  // thread of its own. A fetch whose address cannot be opened fails with
  // status 0.
  virtual std::unique_ptr<Incoming> Fetch(const std::string& url) = 0;
};

class Internet {
 public:
  virtual ~Internet() = default;
  // InternetOpenA(agent, INTERNET_OPEN_TYPE_PRECONFIG, no proxy, flags 0);
  // nullptr when it fails.
  virtual std::unique_ptr<InternetSession> Open(const std::string& agent) = 0;
};

}  // namespace vantrel
