#include "system_seeding.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <wininet.h>

#include "settings/archive.h"
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

bool SeedCacheEntriesOfEachType(const std::string& host) {
  return SeedCacheEntry("Cookie:root@" + host + "/", COOKIE_CACHE_ENTRY) &&
         SeedCacheEntry("Visited: root@http://" + host + "/", URLHISTORY_CACHE_ENTRY) &&
         SeedCacheEntry("http://" + host + "/index.html", NORMAL_CACHE_ENTRY);
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

namespace {

template <typename Visit>
void ForEachCacheEntry(Visit visit) {
  std::vector<char> buffer(16384);
  auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
  DWORD size = static_cast<DWORD>(buffer.size());
  HANDLE find = FindFirstUrlCacheEntryA(nullptr, info, &size);
  if (find == nullptr) return;
  do {
    visit(*info);
    size = static_cast<DWORD>(buffer.size());
  } while (FindNextUrlCacheEntryA(find, info, &size));
  FindCloseUrlCache(find);
}

void CountFolder(const std::string& folder, bool recursive, FolderCount& count) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((WithSlash(folder) + "*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = WithSlash(folder) + name;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      count.listing += path + "\\\n";
      if (recursive && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        CountFolder(path, recursive, count);
      }
    } else {
      ++count.files;
      count.listing += path + " " + std::to_string(data.nFileSizeLow) + "\n";
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

}  // namespace

std::vector<std::string> ValueNames(HKEY root, const std::string& key) {
  std::vector<std::string> names;
  HKEY handle = nullptr;
  if (RegOpenKeyA(root, key.c_str(), &handle) != ERROR_SUCCESS) return names;
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD size = sizeof name;
    if (RegEnumValueA(handle, index, name, &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, size);
  }
  RegCloseKey(handle);
  return names;
}

std::vector<std::string> CacheEntries() {
  std::vector<std::string> entries;
  ForEachCacheEntry([&](const INTERNET_CACHE_ENTRY_INFOA& info) {
    entries.push_back(std::string(info.lpszSourceUrlName) + " " + std::to_string(info.CacheEntryType));
  });
  return entries;
}

void EmptyUrlCache() {
  std::vector<std::string> urls;
  ForEachCacheEntry([&](const INTERNET_CACHE_ENTRY_INFOA& info) { urls.push_back(info.lpszSourceUrlName); });
  for (const std::string& url : urls) DeleteUrlCacheEntryA(url.c_str());
}

SHQUERYRBINFO RecycleBin() {
  SHQUERYRBINFO bin = {};
  bin.cbSize = sizeof bin;
  SHQueryRecycleBinA(nullptr, &bin);
  return bin;
}

FolderCount Count(const std::string& folder, bool recursive) {
  FolderCount count;
  CountFolder(folder, recursive, count);
  return count;
}

std::vector<std::pair<std::string, bool>> RunFolders(const SetupData& special) {
  return {{special.cacheFolder, true},   {special.cookieFolder, false},
          {special.historyFolder, true}, {special.tempFolder, true},
          {special.recentFolder, false}};
}

std::string SystemSnapshot(const SetupData& special, const std::string& extraFolder,
                           const std::vector<std::string>& keys, const std::string& settingsFile) {
  std::string text;
  for (const auto& [path, recursive] : RunFolders(special)) text += Count(path, recursive).listing;
  text += Count(extraFolder, true).listing;
  for (const std::string& key : keys) {
    for (const std::string& name : ValueNames(HKEY_CURRENT_USER, key)) text += key + " = " + name + "\n";
  }
  for (const std::string& entry : CacheEntries()) text += entry + "\n";
  const SHQUERYRBINFO bin = RecycleBin();
  text += "bin " + std::to_string(bin.i64NumItems) + " " + std::to_string(bin.i64Size) + "\n";
  text += ReadBytes(settingsFile);
  return text;
}

void WriteSettingsFile(const std::string& path, const SetupData& settings) {
  ArchiveWriter archive;
  settings.Store(archive);
  WriteBytes(path, archive.Bytes());
}

}  // namespace vantrel::winetest
