#include "platform/win32/shell_win32.h"

#include <shellapi.h>
#include <shlobj.h>

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

}  // namespace vantrel
