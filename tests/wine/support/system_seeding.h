#pragma once
// Seeding the prefix's real system for a cleaning run: registry values,
// Internet cache entries and the Recycle Bin.

#include <windows.h>

#include <shellapi.h>
#include <wininet.h>

#include <string>
#include <utility>
#include <vector>

#include "settings/setup_data.h"

namespace vantrel::winetest {

// folder with its trailing backslash.
std::string WithSlash(std::string folder);
// A REG_SZ value "x" named name under root\key, made with its key.
void SetValue(HKEY root, const std::string& key, const char* name);
// An Internet cache entry of the given type (cookie, history or normal).
bool SeedCacheEntry(const std::string& url, DWORD type);
// One cache entry of each type for host: a cookie, a visit and a page.
bool SeedCacheEntriesOfEachType(const std::string& host);
// Writes a small file at path and deletes it into the Recycle Bin.
void SendToRecycleBin(const std::string& path);


// What a run could remove, read back: the value names of a key, the cache's
// entries ("url type"), and the files of a folder.
std::vector<std::string> ValueNames(HKEY root, const std::string& key);
std::vector<std::string> CacheEntries();
// Earlier tests in this prefix (the browser, the update check) leave cache
// entries of their own; counts of seeded entries start from an empty cache.
void EmptyUrlCache();
SHQUERYRBINFO RecycleBin();

struct FolderCount {
  int files = 0;
  std::string listing;  // "path size" lines
};
FolderCount Count(const std::string& folder, bool recursive);

// The folders of the run's steps (special holds them), each with whether the
// run walks its sub-folders.
std::vector<std::pair<std::string, bool>> RunFolders(const SetupData& special);
// Everything a run could remove or write, as text: the run's folders and
// extraFolder, the values of keys under HKEY_CURRENT_USER, the cache, the
// Recycle Bin and the bytes of settingsFile.
std::string SystemSnapshot(const SetupData& special, const std::string& extraFolder,
                           const std::vector<std::string>& keys, const std::string& settingsFile);
// settings stored at path as the programs store them.
void WriteSettingsFile(const std::string& path, const SetupData& settings);

}  // namespace vantrel::winetest
