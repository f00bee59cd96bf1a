#include "engine/removal_tally.h"

#include <algorithm>

#include "engine/folder_purge.h"

namespace vantrel {

namespace {

std::string RootName(RootKey root) {
  switch (root) {
    case RootKey::kClassesRoot: return "HKEY_CLASSES_ROOT";
    case RootKey::kCurrentUser: return "HKEY_CURRENT_USER";
    case RootKey::kLocalMachine: return "HKEY_LOCAL_MACHINE";
    case RootKey::kUsers: return "HKEY_USERS";
    case RootKey::kCurrentConfig: return "HKEY_CURRENT_CONFIG";
    case RootKey::kNone: break;
  }
  return "?";
}

}  // namespace

bool RemovalTally::Empty() const {
  return files == 0 && filesLeft == 0 && CacheEntries() == 0 && values == 0 && valuesLeft == 0 &&
         !recycleBinVisited && refusedFolders.empty() && skippedBrowsers.empty();
}

void RemovalTally::CountValue(const std::string& keyName) {
  ++values;
  auto known = std::find_if(valuesPerKey.begin(), valuesPerKey.end(),
                            [&](const auto& key) { return key.first == keyName; });
  if (known == valuesPerKey.end()) {
    valuesPerKey.emplace_back(keyName, 1);
  } else {
    ++known->second;
  }
}

void RemovalTally::Add(const RemovalTally& other) {
  files += other.files;
  bytes += other.bytes;
  filesLeft += other.filesLeft;
  cookieEntries += other.cookieEntries;
  historyEntries += other.historyEntries;
  normalEntries += other.normalEntries;
  valuesLeft += other.valuesLeft;
  for (const auto& [key, count] : other.valuesPerKey) {
    for (std::int64_t i = 0; i < count; ++i) CountValue(key);
  }
  if (other.recycleBinVisited) {
    recycleBinVisited = true;
    recycleBinKnown = other.recycleBinKnown;
    recycleBinItems += other.recycleBinItems;
    recycleBinBytes += other.recycleBinBytes;
  }
  refusedFolders.insert(refusedFolders.end(), other.refusedFolders.begin(),
                        other.refusedFolders.end());
  skippedBrowsers.insert(skippedBrowsers.end(), other.skippedBrowsers.begin(),
                         other.skippedBrowsers.end());
}

std::string GroupedNumber(std::uint64_t number) {
  std::string digits = std::to_string(number);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return digits;
}

std::string CountOf(std::int64_t number, const char* unit) {
  return GroupedNumber(static_cast<std::uint64_t>(number < 0 ? 0 : number)) + unit;
}

std::string ByteCount(std::uint64_t bytes) { return GroupedNumber(bytes) + " 바이트"; }

std::string DescribeRemovals(const RemovalTally& tally, RemovalWording wording) {
  const bool full = wording == RemovalWording::kWithSizesAndLeftovers;
  std::string parts;
  auto add = [&](const std::string& part) { parts += (parts.empty() ? "" : ", ") + part; };
  auto sized = [&](const std::string& part, std::uint64_t bytes) {
    return full ? part + " (" + ByteCount(bytes) + ")" : part;
  };
  if (tally.files > 0) add(sized("파일 " + CountOf(tally.files, "개"), tally.bytes));
  if (full && tally.filesLeft > 0) add("지울 수 없는 파일 " + CountOf(tally.filesLeft, "개"));
  if (tally.cookieEntries > 0) add("쿠키 항목 " + CountOf(tally.cookieEntries, "개"));
  if (tally.historyEntries > 0) add("기록 항목 " + CountOf(tally.historyEntries, "개"));
  if (tally.normalEntries > 0) add("캐시 항목 " + CountOf(tally.normalEntries, "개"));
  if (tally.values > 0) add("레지스트리 값 " + CountOf(tally.values, "개"));
  if (full && tally.valuesLeft > 0) add("지울 수 없는 레지스트리 값 " + CountOf(tally.valuesLeft, "개"));
  if (tally.recycleBinVisited) {
    add(tally.recycleBinKnown ? sized("휴지통 " + CountOf(tally.recycleBinItems, "개"),
                                      static_cast<std::uint64_t>(tally.recycleBinBytes))
                              : std::string("휴지통 크기 모름"));
  }
  if (full && !tally.refusedFolders.empty()) {
    add("거부된 폴더 " + CountOf(static_cast<std::int64_t>(tally.refusedFolders.size()), "곳"));
  }
  return parts.empty() ? std::string("없음") : parts;
}

std::string FullKeyName(RootKey root, const std::string& subKey) {
  return subKey.empty() ? RootName(root) : RootName(root) + "\\" + subKey;
}

void TallySink::CountCacheEntry(std::uint32_t entryType) {
  if ((entryType & cache::kCookieEntry) != 0) {
    ++tally_.cookieEntries;
  } else if ((entryType & cache::kUrlHistoryEntry) != 0) {
    ++tally_.historyEntries;
  } else {
    ++tally_.normalEntries;
  }
}

bool CountingSink::RemoveFile(FileSystem&, const std::string& path, std::uint64_t size) {
  // Windows file names ignore letter case.
  const std::string key = UpperCasePath(path);
  if (goneFiles_.count(key) != 0) return false;
  if (!probe_.CanDelete(path)) {
    // The run fails on it in every step that meets it.
    ++tally_.filesLeft;
    return false;
  }
  goneFiles_.insert(key);
  ++tally_.files;
  tally_.bytes += size;
  return false;
}

bool CountingSink::RemoveEmptyFolder(FileSystem&, const std::string&) { return false; }

bool CountingSink::DeleteCacheEntry(UrlCache&, const CacheEntry& entry) {
  if (goneEntries_.insert(entry.sourceUrl).second) {
    CountCacheEntry(entry.entryType);
    // The cache deletes the entry's own file with it; a folder step after
    // this one would not find it any more.
    if (!entry.localFile.empty()) goneFiles_.insert(UpperCasePath(entry.localFile));
  }
  return false;
}

bool CountingSink::DeleteValue(RegistryKey& key, RootKey root, const std::string& subKey,
                               const char* name) {
  const std::string keyName = FullKeyName(root, subKey);
  std::string identity = key.Identity();
  if (identity.empty()) identity = UpperCasePath(keyName);
  if (goneValues_.insert(identity + '\0' + UpperCasePath(name)).second) {
    tally_.CountValue(keyName);
  }
  return false;
}

void CountingSink::EmptyRecycleBin(Shell& shell, unsigned) {
  const RecycleBinInfo bin = shell.QueryRecycleBin();
  tally_.recycleBinVisited = true;
  tally_.recycleBinKnown = bin.ok;
  if (bin.ok) {
    tally_.recycleBinItems = bin.items;
    tally_.recycleBinBytes = bin.size;
  }
}

bool ReportingSink::RemoveFile(FileSystem& files, const std::string& path, std::uint64_t size) {
  if (!RemovalSink::RemoveFile(files, path, size)) {
    ++tally_.filesLeft;
    return false;
  }
  ++tally_.files;
  tally_.bytes += size;
  return true;
}

bool ReportingSink::DeleteCacheEntry(UrlCache& cache, const CacheEntry& entry) {
  if (!RemovalSink::DeleteCacheEntry(cache, entry)) return false;
  CountCacheEntry(entry.entryType);
  return true;
}

bool ReportingSink::DeleteValue(RegistryKey& key, RootKey root, const std::string& subKey,
                                const char* name) {
  if (!RemovalSink::DeleteValue(key, root, subKey, name)) {
    ++tally_.valuesLeft;
    return false;
  }
  tally_.CountValue(FullKeyName(root, subKey));
  return true;
}

void ReportingSink::EmptyRecycleBin(Shell& shell, unsigned flags) {
  // What was in the bin is what emptying it frees.
  const RecycleBinInfo bin = shell.QueryRecycleBin();
  const bool emptied = shell.EmptyRecycleBin(flags);
  tally_.recycleBinVisited = true;
  tally_.recycleBinKnown = bin.ok && emptied;
  if (tally_.recycleBinKnown) {
    tally_.recycleBinItems = bin.items;
    tally_.recycleBinBytes = bin.size;
  }
}

}  // namespace vantrel
