#pragma once
#include "platform/internet.h"

namespace vantrel {

// The Internet port over WinINet.
class Win32Internet : public Internet {
 public:
  std::unique_ptr<InternetSession> Open(const std::string& agent) override;
};

}  // namespace vantrel
