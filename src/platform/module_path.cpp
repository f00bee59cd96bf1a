#include "platform/module_path.h"

#include <vector>

namespace vantrel {

namespace {
constexpr std::size_t kFirstSize = 260;
// Windows paths end at 32,767 characters.
constexpr std::size_t kLargestSize = 65536;
}  // namespace

std::string ReadModuleFileName(ModulePath& module) {
  for (std::size_t size = kFirstSize; size <= kLargestSize; size *= 2) {
    std::vector<char> buffer(size, '\0');
    const std::size_t length = module.ModuleFileName(buffer.data(), size);
    if (length == 0) return "";
    if (length < size) return std::string(buffer.data(), length);
  }
  return "";
}

}  // namespace vantrel
