#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/win32/wide_path_win32.h"

namespace vantrel {

namespace {

// NtQueryKey with KeyNameInformation gives a key's name as the kernel knows
// it (\REGISTRY\USER\S-1-5-...\Software\...). Only the NT family has it.
using NtQueryKeyFunction = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
constexpr int kKeyNameInformation = 3;
constexpr LONG kBufferTooSmall = static_cast<LONG>(0xC0000023);
constexpr LONG kBufferOverflow = static_cast<LONG>(0x80000005);

NtQueryKeyFunction NtQueryKeyOfSystem() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (ntdll == nullptr) return nullptr;
  return reinterpret_cast<NtQueryKeyFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "NtQueryKey")));
}

std::string KernelNameOf(HKEY key) {
  const NtQueryKeyFunction query = NtQueryKeyOfSystem();
  if (query == nullptr) return std::string();
  std::vector<unsigned char> buffer(512);
  ULONG needed = 0;
  LONG status = query(key, kKeyNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
  if ((status == kBufferTooSmall || status == kBufferOverflow) && needed > buffer.size()) {
    buffer.resize(needed);
    status = query(key, kKeyNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
  }
  if (status != 0) return std::string();
  ULONG bytes = 0;
  CopyMemory(&bytes, buffer.data(), sizeof bytes);
  if (bytes == 0 || sizeof bytes + bytes > buffer.size()) return std::string();
  // Key names compare without regard to case.
  std::vector<WCHAR> name(bytes / sizeof(WCHAR));
  CopyMemory(name.data(), buffer.data() + sizeof bytes, name.size() * sizeof(WCHAR));
  CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
  const int length = WideCharToMultiByte(CP_UTF8, 0, name.data(), static_cast<int>(name.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string identity(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), identity.data(),
                      length, nullptr, nullptr);
  return identity;
}

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

// The longest names the registry keeps, with their terminators.
constexpr DWORD kValueNameLength = 16384;
constexpr DWORD kKeyNameLength = 256;

// name as the core sees it (wide_path_win32.h) into the caller's buffer;
// false when it does not fit with its terminator.
bool HandBack(const wchar_t* name, char* buffer, std::uint32_t bufferSize, std::uint32_t* length) {
  const std::string narrow = NarrowName(name);
  if (narrow.size() + 1 > bufferSize) return false;
  std::memcpy(buffer, narrow.c_str(), narrow.size() + 1);
  if (length != nullptr) *length = static_cast<std::uint32_t>(narrow.size());
  return true;
}

// Works in UTF-16, as the file adapter does: a name that the code page
// cannot spell comes back from the A functions as "?", and the value or key
// of that name can then be neither found nor deleted.
class Win32RegistryKey : public RegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}
  ~Win32RegistryKey() override { RegCloseKey(key_); }
  Win32RegistryKey(const Win32RegistryKey&) = delete;
  Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

  bool EnumValue(std::uint32_t index, char* name, std::uint32_t& nameSize) override {
    std::vector<wchar_t> wide(kValueNameLength, L'\0');
    DWORD length = kValueNameLength;
    if (RegEnumValueW(key_, index, wide.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      return false;
    }
    return HandBack(wide.data(), name, nameSize, &nameSize);
  }

  // By the exact name the system gave, whatever its characters.
  bool DeleteValue(const char* name) override {
    return RegDeleteValueW(key_, WideName(name).c_str()) == ERROR_SUCCESS;
  }

  bool EnumKey(std::uint32_t index, char* name, std::uint32_t nameSize) override {
    wchar_t wide[kKeyNameLength] = {};
    return RegEnumKeyW(key_, index, wide, kKeyNameLength) == ERROR_SUCCESS &&
           HandBack(wide, name, nameSize, nullptr);
  }

  std::string Identity() override { return KernelNameOf(key_); }

 private:
  HKEY key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(RootKey root, const std::string& subKey) {
  const HKEY rootHandle = RootHandle(root);
  if (rootHandle == nullptr) return nullptr;
  HKEY key = nullptr;
  if (RegOpenKeyW(rootHandle, WidePath(subKey).c_str(), &key) != ERROR_SUCCESS) return nullptr;
  return std::make_unique<Win32RegistryKey>(key);
}

}  // namespace vantrel
