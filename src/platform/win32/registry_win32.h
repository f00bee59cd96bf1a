#pragma once
#include "platform/registry.h"

namespace vantrel {

// The registry port over RegOpenKeyA, RegEnumValueA, RegDeleteValueA,
// RegEnumKeyA and RegCloseKey.
class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenKey(RootKey root, const std::string& subKey) override;
};

}  // namespace vantrel
