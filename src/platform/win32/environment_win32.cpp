#include "platform/win32/environment_win32.h"

#include <windows.h>

#include <vector>

namespace vantrel {

bool Win32Environment::Variable(const std::string& name, std::string& value) {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD length =
        GetEnvironmentVariableA(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      // A variable set to nothing is set; one that is missing is not.
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return false;
      value.clear();
      return true;
    }
    if (length < buffer.size()) {
      value.assign(buffer.data(), length);
      return true;
    }
    buffer.resize(length);
  }
}

}  // namespace vantrel
