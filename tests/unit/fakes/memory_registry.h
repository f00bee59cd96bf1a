#pragma once
// An in-memory registry behind the registry port. Key names compare
// case-insensitively and sub-keys enumerate sorted, as on Windows; values
// enumerate in the order they were set. Names are copied into the caller's
// buffer with the Win32 size rules.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vantrel::testing {

class MemoryRegistry : public Registry {
 public:
  // path: sub-keys below root separated by backslashes; "" is the root.
  void AddKey(RootKey root, const std::string& path);
  // Adds the key too; name "" is the default value.
  void SetValue(RootKey root, const std::string& path, const std::string& name);
  // Its deletion fails, as for lack of access.
  void LockValue(RootKey root, const std::string& path, const std::string& name);

  bool HasKey(RootKey root, const std::string& path) const;
  // The values of the key in enumeration order; empty for a missing key.
  std::vector<std::string> ValueNames(RootKey root, const std::string& path) const;

  std::unique_ptr<RegistryKey> OpenKey(RootKey root, const std::string& subKey) override;

  // Opens, in order, as "HKLM\SOFTWARE\X" ("HKLM" alone for the root, "0\X"
  // for an unknown root), successful or not.
  std::vector<std::string> opens;
  // Every enumeration and deletion.
  int callCount = 0;
  // After this many calls every enumeration fails and a fault is noted, so
  // that a loop that never ends shows as a failure instead of a hang.
  int callLimit = 100000;
  std::vector<std::string> faults;

 private:
  friend class MemoryRegistryKey;
  struct Key {
    std::vector<std::string> values;
    std::set<std::string> lockedValues;
    std::map<std::string, std::string> childNames;  // folded name -> name as given
    std::map<std::string, std::unique_ptr<Key>> children;  // by folded name
  };
  Key* Find(RootKey root, const std::string& path) const;
  Key& Make(RootKey root, const std::string& path);
  bool CountCall();

  std::map<RootKey, std::unique_ptr<Key>> roots_;
};

}  // namespace vantrel::testing
