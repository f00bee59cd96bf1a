#pragma once
#include "platform/environment.h"

namespace vantrel {

class Win32Environment : public Environment {
 public:
  bool Variable(const std::string& name, std::string& value) override;
};

}  // namespace vantrel
