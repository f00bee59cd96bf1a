#include "platform/win32/shell_win32.h"

#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/wide_path_win32.h"

namespace vantrel {

bool Win32Shell::SpecialFolderPath(int folder, char* buffer) {
  return SHGetSpecialFolderPathA(owner_, buffer, folder, FALSE) != FALSE;
}

std::size_t Win32Shell::TempPath(std::size_t size, char* buffer) {
  return GetTempPathA(static_cast<DWORD>(size), buffer);
}

RecycleBinInfo Win32Shell::QueryRecycleBin() {
  // 20 bytes on 32-bit Windows, where the record is packed; 24 on 64-bit.
  SHQUERYRBINFO query = {};
  query.cbSize = sizeof(query);
  RecycleBinInfo info;
  info.ok = SHQueryRecycleBinA(nullptr, &query) == S_OK;
  if (info.ok) {
    info.size = query.i64Size;
    info.items = query.i64NumItems;
  }
  return info;
}

bool Win32Shell::EmptyRecycleBin(unsigned flags) {
  return SHEmptyRecycleBinA(nullptr, nullptr, flags) == S_OK;
}

std::vector<std::string> Win32Shell::ImportantFolders() {
  static const int kFolders[] = {
      CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_STARTMENU,
      CSIDL_COMMON_STARTMENU, CSIDL_PROGRAMS,                CSIDL_COMMON_PROGRAMS,
      CSIDL_PROFILE,          CSIDL_PERSONAL,                CSIDL_PROGRAM_FILES,
      CSIDL_PROGRAM_FILESX86, CSIDL_WINDOWS,                 CSIDL_SYSTEM,
      CSIDL_SYSTEMX86};
  // Asked in UTF-16 and spelt as the file adapter spells names, so that a
  // folder whose name the code page cannot hold is still recognised.
  std::vector<std::string> folders;
  for (const int folder : kFolders) {
    wchar_t buffer[MAX_PATH] = {};
    if (SHGetSpecialFolderPathW(owner_, buffer, folder, FALSE) && buffer[0] != L'\0') {
      folders.push_back(NarrowPath(buffer));
    }
  }
  // A 32-bit program on 64-bit Windows is shown "Program Files (x86)" for
  // both Program Files folders; the 64-bit one is named only here.
  wchar_t native[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"ProgramW6432", native, MAX_PATH);
  if (length > 0 && length < MAX_PATH) folders.push_back(NarrowPath(std::wstring(native, length)));
  return folders;
}

}  // namespace vantrel
