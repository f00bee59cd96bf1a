#include "fakes/memory_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace vantrel::testing {

namespace {

std::string Fold(const std::string& name) {
  std::string folded = name;
  for (auto& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

// The sub-key names of path; false for a name Windows refuses (a leading,
// trailing or doubled backslash).
bool Split(const std::string& path, std::vector<std::string>& parts) {
  parts.clear();
  if (path.empty()) return true;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = path.find('\\', start);
    const std::string part = path.substr(start, end - start);
    if (part.empty()) return false;
    parts.push_back(part);
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

std::string RootName(RootKey root) {
  switch (root) {
    case RootKey::kClassesRoot: return "HKCR";
    case RootKey::kCurrentUser: return "HKCU";
    case RootKey::kLocalMachine: return "HKLM";
    case RootKey::kUsers: return "HKU";
    case RootKey::kCurrentConfig: return "HKCC";
    case RootKey::kNone: break;
  }
  return "0";
}

bool CopyName(const std::string& name, char* buffer, std::uint32_t bufferSize) {
  if (name.size() + 1 > bufferSize) return false;
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  return true;
}

}  // namespace

class MemoryRegistryKey : public RegistryKey {
 public:
  MemoryRegistryKey(MemoryRegistry& registry, MemoryRegistry::Key& key)
      : registry_(registry), key_(key) {}

  bool EnumValue(std::uint32_t index, char* name, std::uint32_t& nameSize) override {
    if (!registry_.CountCall() || index >= key_.values.size()) return false;
    const std::string& value = key_.values[index];
    if (!CopyName(value, name, nameSize)) return false;
    nameSize = static_cast<std::uint32_t>(value.size());
    return true;
  }

  bool DeleteValue(const char* name) override {
    if (!registry_.CountCall()) return false;
    if (key_.lockedValues.count(name) != 0) return false;
    const auto found = std::find(key_.values.begin(), key_.values.end(), name);
    if (found == key_.values.end()) return false;
    key_.values.erase(found);
    return true;
  }

  bool EnumKey(std::uint32_t index, char* name, std::uint32_t nameSize) override {
    if (!registry_.CountCall() || index >= key_.childNames.size()) return false;
    auto child = key_.childNames.begin();
    std::advance(child, index);
    return CopyName(child->second, name, nameSize);
  }

 private:
  MemoryRegistry& registry_;
  MemoryRegistry::Key& key_;
};

bool MemoryRegistry::CountCall() {
  if (++callCount <= callLimit) return true;
  if (faults.empty()) faults.push_back("more than " + std::to_string(callLimit) + " calls");
  return false;
}

MemoryRegistry::Key* MemoryRegistry::Find(RootKey root, const std::string& path) const {
  std::vector<std::string> parts;
  const auto rootKey = roots_.find(root);
  if (rootKey == roots_.end() || !Split(path, parts)) return nullptr;
  Key* key = rootKey->second.get();
  for (const auto& part : parts) {
    const auto child = key->children.find(Fold(part));
    if (child == key->children.end()) return nullptr;
    key = child->second.get();
  }
  return key;
}

MemoryRegistry::Key& MemoryRegistry::Make(RootKey root, const std::string& path) {
  auto& rootKey = roots_[root];
  if (!rootKey) rootKey = std::make_unique<Key>();
  std::vector<std::string> parts;
  Split(path, parts);
  Key* key = rootKey.get();
  for (const auto& part : parts) {
    auto& child = key->children[Fold(part)];
    if (!child) {
      child = std::make_unique<Key>();
      key->childNames[Fold(part)] = part;
    }
    key = child.get();
  }
  return *key;
}

void MemoryRegistry::AddKey(RootKey root, const std::string& path) { Make(root, path); }

void MemoryRegistry::SetValue(RootKey root, const std::string& path, const std::string& name) {
  Key& key = Make(root, path);
  if (std::find(key.values.begin(), key.values.end(), name) == key.values.end()) {
    key.values.push_back(name);
  }
}

void MemoryRegistry::LockValue(RootKey root, const std::string& path, const std::string& name) {
  Make(root, path).lockedValues.insert(name);
}

bool MemoryRegistry::HasKey(RootKey root, const std::string& path) const {
  return Find(root, path) != nullptr;
}

std::vector<std::string> MemoryRegistry::ValueNames(RootKey root, const std::string& path) const {
  const Key* key = Find(root, path);
  return key ? key->values : std::vector<std::string>();
}

std::unique_ptr<RegistryKey> MemoryRegistry::OpenKey(RootKey root, const std::string& subKey) {
  opens.push_back(subKey.empty() ? RootName(root) : RootName(root) + "\\" + subKey);
  if (root == RootKey::kNone) return nullptr;
  Make(root, "");  // the predefined roots are always there
  Key* key = Find(root, subKey);
  if (!key) return nullptr;
  return std::make_unique<MemoryRegistryKey>(*this, *key);
}

}  // namespace vantrel::testing
