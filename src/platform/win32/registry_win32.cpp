#include "platform/win32/registry_win32.h"

#include <windows.h>

namespace vantrel {

namespace {

HKEY RootHandle(RootKey root) {
  switch (root) {
    case RootKey::kClassesRoot: return HKEY_CLASSES_ROOT;
    case RootKey::kCurrentUser: return HKEY_CURRENT_USER;
    case RootKey::kLocalMachine: return HKEY_LOCAL_MACHINE;
    case RootKey::kUsers: return HKEY_USERS;
    case RootKey::kCurrentConfig: return HKEY_CURRENT_CONFIG;
    case RootKey::kNone: break;
  }
  return nullptr;
}

class Win32RegistryKey : public RegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}
  ~Win32RegistryKey() override { RegCloseKey(key_); }
  Win32RegistryKey(const Win32RegistryKey&) = delete;
  Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

  bool EnumValue(std::uint32_t index, char* name, std::uint32_t& nameSize) override {
    DWORD size = nameSize;
    const LONG result = RegEnumValueA(key_, index, name, &size, nullptr, nullptr, nullptr, nullptr);
    nameSize = size;
    return result == ERROR_SUCCESS;
  }

  bool DeleteValue(const char* name) override {
    return RegDeleteValueA(key_, name) == ERROR_SUCCESS;
  }

  bool EnumKey(std::uint32_t index, char* name, std::uint32_t nameSize) override {
    return RegEnumKeyA(key_, index, name, nameSize) == ERROR_SUCCESS;
  }

 private:
  HKEY key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(RootKey root, const std::string& subKey) {
  const HKEY rootHandle = RootHandle(root);
  if (rootHandle == nullptr) return nullptr;
  HKEY key = nullptr;
  if (RegOpenKeyA(rootHandle, subKey.c_str(), &key) != ERROR_SUCCESS) return nullptr;
  return std::make_unique<Win32RegistryKey>(key);
}

}  // namespace vantrel
