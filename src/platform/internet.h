#pragma once
// The Internet port (WinINet): a root handle opened under an agent name, and
// addresses opened through it, always from the network, never from the cache.

#include <cstddef>
#include <memory>
#include <string>

namespace vantrel {

// One opened address: its reply, read in the chunks the system has ready.
class InternetFile {
 public:
  virtual ~InternetFile() = default;
  // The HTTP status code of the reply, 0 when there is none.
  virtual int StatusCode() = 0;
  // InternetQueryDataAvailable: the bytes ready now (0 at the end of the
  // data); false when the query failed.
  virtual bool QueryDataAvailable(std::size_t& count) = 0;
  // InternetReadFile of at most size bytes; false when the read failed.
  virtual bool Read(char* buffer, std::size_t size, std::size_t& read) = 0;
};

// A root Internet handle; closed when the object goes.
class InternetSession {
 public:
  virtual ~InternetSession() = default;
  // InternetOpenUrlA with no headers and INTERNET_FLAG_RELOAD; nullptr when
  // the address cannot be opened.
  virtual std::unique_ptr<InternetFile> OpenUrl(const std::string& url) = 0;
};

class Internet {
 public:
  virtual ~Internet() = default;
  // InternetOpenA(agent, INTERNET_OPEN_TYPE_PRECONFIG, no proxy, flags 0);
  // nullptr when it fails.
  virtual std::unique_ptr<InternetSession> Open(const std::string& agent) = 0;
};

}  // namespace vantrel
