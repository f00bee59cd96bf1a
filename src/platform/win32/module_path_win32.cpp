#include "platform/win32/module_path_win32.h"

#include <windows.h>

namespace vantrel {

std::size_t Win32ModulePath::ModuleFileName(char* buffer, std::size_t size) {
  return GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size));
}

std::string RunningProgramFileName() {
  Win32ModulePath module;
  return ReadModuleFileName(module);
}

}  // namespace vantrel
