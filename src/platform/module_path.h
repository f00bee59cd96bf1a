#pragma once
// The port to the running program's own file name.

#include <cstddef>
#include <string>

namespace vantrel {

class ModulePath {
 public:
  virtual ~ModulePath() = default;
  // GetModuleFileNameA(NULL, buffer, size): the length of the name written,
  // or size itself when the name did not fit (cut off), or 0 on failure.
  virtual std::size_t ModuleFileName(char* buffer, std::size_t size) = 0;
};

// The program's full file name, read with a buffer that grows until the name
// fits; empty when it cannot be read at all.
std::string ReadModuleFileName(ModulePath& module);

}  // namespace vantrel
