#pragma once
// The registry, in the shape of RegOpenKeyA, RegEnumValueA, RegDeleteValueA,
// RegEnumKeyA and RegCloseKey. Name buffers belong to the caller, with the
// Win32 size rules: a name that does not fit with its terminator fails.

#include <cstdint>
#include <memory>
#include <string>

namespace vantrel {

// The predefined root keys, by their handle values. kNone stands for an
// unrecognised root name; every open of it fails.
enum class RootKey : std::uint32_t {
  kNone = 0,
  kClassesRoot = 0x80000000u,
  kCurrentUser = 0x80000001u,
  kLocalMachine = 0x80000002u,
  kUsers = 0x80000003u,
  kCurrentConfig = 0x80000005u,
};

// An open key; destroying it closes it.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // Reads the name of value index into name, a buffer of nameSize bytes (in);
  // on success nameSize becomes the name's length without the terminator.
  // Fails past the last value and when the name does not fit.
  virtual bool EnumValue(std::uint32_t index, char* name, std::uint32_t& nameSize) = 0;
  // Deletes the value called name ("" is the default value).
  virtual bool DeleteValue(const char* name) = 0;
  // Reads the name of sub-key index into name, a buffer of nameSize bytes.
  // Fails past the last sub-key and when the name does not fit.
  virtual bool EnumKey(std::uint32_t index, char* name, std::uint32_t nameSize) = 0;
  // The key's own name in the system's registry, which is the same for two
  // names of one key (HKEY_CURRENT_USER and the user's branch of HKEY_USERS);
  // empty when the system cannot tell.
  virtual std::string Identity() { return std::string(); }
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens subKey under root ("" opens the root itself); nullptr on failure.
  virtual std::unique_ptr<RegistryKey> OpenKey(RootKey root, const std::string& subKey) = 0;
};

}  // namespace vantrel
