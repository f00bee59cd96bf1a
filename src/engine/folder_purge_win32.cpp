#include "engine/folder_purge_win32.h"

#include <windows.h>

namespace vantrel {

namespace {

std::string Answer(UINT (WINAPI *query)(LPSTR, UINT)) {
  char buffer[MAX_PATH + 1] = {};
  const UINT length = query(buffer, sizeof buffer);
  return length == 0 || length >= sizeof buffer ? std::string() : std::string(buffer, length);
}

}  // namespace

SystemFolders RunningSystemFolders() {
  return SystemFolders{Answer(GetWindowsDirectoryA), Answer(GetSystemDirectoryA)};
}

}  // namespace vantrel
