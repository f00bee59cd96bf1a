#include <string_view>

#include "settings/setup_data.h"

namespace vantrel {

RootKey SetupData::RootKeyOf(std::string fullName) {
  // Tested in this order, anywhere in the name, letter case as written.
  static constexpr struct {
    std::string_view name;
    RootKey root;
  } kRoots[] = {
      {"HKEY_CLASSES_ROOT", RootKey::kClassesRoot},
      {"HKEY_CURRENT_USER", RootKey::kCurrentUser},
      {"HKEY_LOCAL_MACHINE", RootKey::kLocalMachine},
      {"HKEY_USERS", RootKey::kUsers},
      {"HKEY_CURRENT_CONFIG", RootKey::kCurrentConfig},
  };
  for (const auto& candidate : kRoots) {
    if (fullName.find(candidate.name) != std::string::npos) return candidate.root;
  }
  return RootKey::kNone;
}

std::string SetupData::SubKeyOf(std::string fullName) {
  const auto backslash = fullName.find('\\');
  if (backslash == std::string::npos) return std::string();
  return fullName.substr(backslash + 1);
}

}  // namespace vantrel
