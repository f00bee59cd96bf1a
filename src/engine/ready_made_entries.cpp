#include "engine/ready_made_entries.h"

#include <algorithm>

#include "engine/directory_pattern.h"
#include "engine/known_browsers.h"
#include "settings/entry_editor.h"

namespace vantrel {

namespace {

UserEntry CacheEntry(const std::string& name, const std::vector<std::string>& folders) {
  UserEntry entry;
  entry.name = name;
  for (const std::string& folder : folders) entry.dirs.push_back(kDirPrefix + folder);
  entry.includeSubfolders = true;
  return entry;
}

bool AnyFolderExists(DirectoryExpansion& expansion, const std::vector<std::string>& patterns) {
  return std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
    std::string folder;
    return expansion.ExpandVariables(pattern, folder) && expansion.IsFolder(folder);
  });
}

// Windows XP names no local application data in its environment, where
// every cache lies; an entry there would clean nothing.
bool AnyFolderExpands(DirectoryExpansion& expansion, const std::vector<std::string>& patterns) {
  return std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
    std::string folder;
    return expansion.ExpandVariables(pattern, folder);
  });
}

bool HasEntryNamed(const SetupData& settings, const std::string& name) {
  return std::any_of(settings.userEntries.begin(), settings.userEntries.end(),
                     [&](const auto& entry) { return entry->name == name; });
}

}  // namespace

std::vector<UserEntry> ReadyMadeCacheEntries(DirectoryExpansion& expansion) {
  std::vector<UserEntry> entries;
  for (const KnownBrowser& browser : KnownBrowsers()) {
    if (AnyFolderExists(expansion, browser.dataFolders) &&
        AnyFolderExpands(expansion, browser.cacheFolders)) {
      entries.push_back(CacheEntry(CacheEntryName(browser.name), browser.cacheFolders));
    }
  }
  if (AnyFolderExists(expansion, {kWindowsDataFolder})) {
    entries.push_back(CacheEntry(kWindowsCacheEntryName, WindowsCacheFolders()));
  }
  return entries;
}

int AddMissingCacheEntries(SetupData& settings, DirectoryExpansion& expansion) {
  int added = 0;
  for (const UserEntry& entry : ReadyMadeCacheEntries(expansion)) {
    if (HasEntryNamed(settings, entry.name)) continue;
    settings.AddEntry(entry);
    ++added;
  }
  return added;
}

std::string AddedCacheEntriesText(int added) {
  if (added == 0) return "추가할 캐시 항목이 없습니다.\n있어야 할 항목이 모두 이미 있습니다.";
  return "캐시 항목 " + std::to_string(added) + "개를 추가했습니다.\n'설정'에서 보고 고칠 수 있습니다.";
}

}  // namespace vantrel
