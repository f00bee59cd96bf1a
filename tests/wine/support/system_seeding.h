#pragma once
// Seeding the prefix's real system for a cleaning run: registry values,
// Internet cache entries and the Recycle Bin.

#include <windows.h>

#include <string>

namespace vantrel::winetest {

// folder with its trailing backslash.
std::string WithSlash(std::string folder);
// A REG_SZ value "x" named name under root\key, made with its key.
void SetValue(HKEY root, const std::string& key, const char* name);
// An Internet cache entry of the given type (cookie, history or normal).
bool SeedCacheEntry(const std::string& url, DWORD type);
// Writes a small file at path and deletes it into the Recycle Bin.
void SendToRecycleBin(const std::string& path);

}  // namespace vantrel::winetest
