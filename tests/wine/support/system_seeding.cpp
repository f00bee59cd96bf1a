#include "system_seeding.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <wininet.h>

#include "wine_test_support.h"

namespace vantrel::winetest {

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

void SetValue(HKEY root, const std::string& key, const char* name) {
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyA(root, key.c_str(), &handle), ERROR_SUCCESS) << key;
  RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
  RegCloseKey(handle);
}

bool SeedCacheEntry(const std::string& url, DWORD type) {
  FILETIME never = {};
  return CommitUrlCacheEntryA(url.c_str(), nullptr, never, never, type, nullptr, 0, nullptr,
                              nullptr) != FALSE;
}

void SendToRecycleBin(const std::string& path) {
  WriteBytes(path, "to the bin");
  std::string from = path;
  from.push_back('\0');  // the list ends with an empty name
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  SHFileOperationA(&operation);
}

}  // namespace vantrel::winetest
