#pragma once
#include "platform/registry.h"

namespace vantrel {

// The registry port over RegOpenKeyW, RegEnumValueW, RegDeleteValueW,
// RegEnumKeyW and RegCloseKey, with names in the core's form
// (wide_path_win32.h).
class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenKey(RootKey root, const std::string& subKey) override;
};

}  // namespace vantrel
