#pragma once
// The environment port: the variables of the running process, CP949 bytes.

#include <string>

namespace vantrel {

class Environment {
 public:
  virtual ~Environment() = default;
  // The value of the variable called name (letter case ignored, as Windows
  // does); false when it is not set.
  virtual bool Variable(const std::string& name, std::string& value) = 0;
};

}  // namespace vantrel
