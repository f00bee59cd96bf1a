#pragma once
// Seeding the prefix's real system for a cleaning run: registry values,
// Internet cache entries and the Recycle Bin.

#include <windows.h>

#include <shellapi.h>
#include <wininet.h>

#include <string>
#include <vector>

namespace vantrel::winetest {

// folder with its trailing backslash.
std::string WithSlash(std::string folder);
// A REG_SZ value "x" named name under root\key, made with its key.
void SetValue(HKEY root, const std::string& key, const char* name);
// An Internet cache entry of the given type (cookie, history or normal).
bool SeedCacheEntry(const std::string& url, DWORD type);
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

}  // namespace vantrel::winetest
