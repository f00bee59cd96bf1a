#include "platform/win32/deletion_probe_win32.h"

#include <windows.h>

namespace vantrel {

bool Win32DeletionProbe::CanDelete(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return false;
  }
  const HANDLE file = CreateFileA(path.c_str(), DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // Windows 95 to ME know no delete access; there only the attribute tells.
    return GetLastError() == ERROR_INVALID_PARAMETER;
  }
  CloseHandle(file);
  return true;
}

}  // namespace vantrel
