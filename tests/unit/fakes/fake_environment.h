#pragma once
#include <map>
#include <string>

#include "engine/folder_purge.h"
#include "platform/environment.h"

namespace vantrel::testing {

// Variables set by the test; names compare without letter case, as on
// Windows.
class FakeEnvironment : public Environment {
 public:
  void Set(const std::string& name, const std::string& value) { values_[UpperCasePath(name)] = value; }

  bool Variable(const std::string& name, std::string& value) override {
    const auto found = values_.find(UpperCasePath(name));
    if (found == values_.end()) return false;
    value = found->second;
    return true;
  }

 private:
  std::map<std::string, std::string> values_;
};

}  // namespace vantrel::testing
