#pragma once
#include "platform/sockets.h"

namespace vantrel {

// The socket port over Windows Sockets. The library is started once per
// process and never released.
class Win32Sockets : public Sockets {
 public:
  std::unique_ptr<Incoming> Exchange(const std::string& host, unsigned short port, const std::string& request,
                                     std::size_t replyLimit) override;
};

}  // namespace vantrel
