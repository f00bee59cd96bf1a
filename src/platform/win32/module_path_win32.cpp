#include "platform/win32/module_path_win32.h"

#include <windows.h>

namespace vantrel {

std::string RunningProgramFileName() {
  char buffer[260] = {};
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return std::string(buffer, length < sizeof buffer ? length : 0);
}

}  // namespace vantrel
