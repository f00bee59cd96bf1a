#include "platform/win32/shell_win32.h"

#include <shellapi.h>
#include <shlobj.h>

namespace vantrel {

namespace {

// The record SHQueryRecycleBinA fills, laid out as shell32 has it: packed on
// 32-bit Windows (20 bytes), naturally aligned on 64-bit Windows (24 bytes).
// mingw's header packs it on both, which puts the sizes at the wrong offsets
// on 64-bit Windows.
#ifdef _WIN64
struct RecycleBinQuery {
  DWORD cbSize;
  __int64 i64Size;
  __int64 i64NumItems;
};
static_assert(sizeof(RecycleBinQuery) == 24);
#else
#pragma pack(push, 1)
struct RecycleBinQuery {
  DWORD cbSize;
  __int64 i64Size;
  __int64 i64NumItems;
};
#pragma pack(pop)
static_assert(sizeof(RecycleBinQuery) == 20);
#endif

}  // namespace

bool Win32Shell::SpecialFolderPath(int folder, char* buffer) {
  return SHGetSpecialFolderPathA(owner_, buffer, folder, FALSE) != FALSE;
}

std::size_t Win32Shell::TempPath(std::size_t size, char* buffer) {
  return GetTempPathA(static_cast<DWORD>(size), buffer);
}

RecycleBinInfo Win32Shell::QueryRecycleBin() {
  RecycleBinQuery query = {};
  query.cbSize = sizeof(query);
  RecycleBinInfo info;
  info.ok = SHQueryRecycleBinA(nullptr, reinterpret_cast<SHQUERYRBINFO*>(&query)) == S_OK;
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
