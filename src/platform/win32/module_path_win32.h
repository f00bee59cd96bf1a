#pragma once
#include <string>

#include "platform/module_path.h"

namespace vantrel {

// GetModuleFileNameA(NULL, ...).
class Win32ModulePath : public ModulePath {
 public:
  std::size_t ModuleFileName(char* buffer, std::size_t size) override;
};

// The running program's full file name, however long; empty when Windows
// cannot give it.
std::string RunningProgramFileName();

}  // namespace vantrel
