#include "engine/folder_purge_win32.h"

#include <windows.h>

#include "platform/win32/module_path_win32.h"

namespace vantrel {

namespace {

std::string Answer(UINT (WINAPI *query)(LPSTR, UINT)) {
  char buffer[MAX_PATH + 1] = {};
  const UINT length = query(buffer, sizeof buffer);
  return length == 0 || length >= sizeof buffer ? std::string() : std::string(buffer, length);
}

std::string FolderOf(const std::string& fileName) {
  const std::size_t slash = fileName.rfind('\\');
  return slash == std::string::npos ? std::string() : fileName.substr(0, slash);
}

}  // namespace

SystemFolders RunningSystemFolders() {
  SystemFolders folders;
  folders.windowsFolder = Answer(GetWindowsDirectoryA);
  folders.systemFolder = Answer(GetSystemDirectoryA);
  folders.programFolders.push_back(FolderOf(RunningProgramFileName()));
  return folders;
}

}  // namespace vantrel
