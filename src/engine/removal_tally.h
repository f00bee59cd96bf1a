#pragma once
// What a cleaning run removed (or, in a preview, would remove), counted by
// the sink the run hands its removals to.

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/removal_sink.h"
#include "platform/deletion_probe.h"

namespace vantrel {

// A folder the guard refused or passed over, and why, in a few words.
struct RefusedFolder {
  std::string folder;
  std::string reason;
};

struct RemovalTally {
  std::int64_t files = 0;
  std::uint64_t bytes = 0;
  std::int64_t filesLeft = 0;  // files that cannot be deleted (read-only, in use)
  std::int64_t cookieEntries = 0;
  std::int64_t historyEntries = 0;
  std::int64_t normalEntries = 0;
  std::int64_t values = 0;
  std::int64_t valuesLeft = 0;  // values that could not be deleted (no access)
  // Values by key, in the order the keys were first met; keys without values
  // do not appear.
  std::vector<std::pair<std::string, std::int64_t>> valuesPerKey;
  bool recycleBinVisited = false;
  bool recycleBinKnown = false;  // the shell answered the size query
  std::int64_t recycleBinItems = 0;
  std::int64_t recycleBinBytes = 0;
  std::vector<RefusedFolder> refusedFolders;
  std::vector<std::string> skippedBrowsers;  // left alone because they run

  std::int64_t CacheEntries() const { return cookieEntries + historyEntries + normalEntries; }
  bool Empty() const;
  void Add(const RemovalTally& other);
  void CountValue(const std::string& keyName);
};

// 1234567 as "1,234,567".
std::string GroupedNumber(std::uint64_t number);

// "1,234개" for a number and its unit; below zero reads as 0.
std::string CountOf(std::int64_t number, const char* unit);

// "1,234 바이트".
std::string ByteCount(std::uint64_t bytes);

// How a step's removals are put in words: the console says sizes and what
// stays behind in the line itself, the preview window has a column for sizes
// and rows of their own for the rest.
enum class RemovalWording { kWithSizesAndLeftovers, kCountsOnly };

// "파일 3개, 쿠키 항목 2개, ...", or "없음" when the step removes nothing.
std::string DescribeRemovals(const RemovalTally& tally, RemovalWording wording);

// "HKEY_CURRENT_USER\Software\X" for root and subKey.
std::string FullKeyName(RootKey root, const std::string& subKey);

// A sink that keeps a tally; the report takes it step by step.
class TallySink : public RemovalSink {
 public:
  // What was counted since the last call.
  RemovalTally TakeTally() { return std::exchange(tally_, RemovalTally()); }

  void FolderRefused(const std::string& folder, const std::string& reason) override {
    tally_.refusedFolders.push_back(RefusedFolder{folder, reason});
  }
  void BrowserSkipped(const std::string& browserName) override {
    tally_.skippedBrowsers.push_back(browserName);
  }

 protected:
  void CountCacheEntry(std::uint32_t entryType);
  RemovalTally tally_;
};

// The preview: counts everything the run would remove and removes nothing.
// An item the run would already have removed in an earlier step (a folder
// cleaned twice, a cache entry of two kinds, a key under two names, a file
// that goes with its cache entry) is counted once, where the run removes it.
class CountingSink : public TallySink {
 public:
  explicit CountingSink(DeletionProbe& probe) : probe_(probe) {}

  bool RemoveFile(FileSystem& files, const std::string& path, std::uint64_t size) override;
  bool RemoveEmptyFolder(FileSystem& files, const std::string& path) override;
  bool DeleteCacheEntry(UrlCache& cache, const CacheEntry& entry) override;
  bool DeleteValue(RegistryKey& key, RootKey root, const std::string& subKey,
                   const char* name) override;
  void EmptyRecycleBin(Shell& shell, unsigned flags) override;

 private:
  DeletionProbe& probe_;
  std::set<std::string> goneFiles_;
  std::set<std::string> goneEntries_;
  std::set<std::string> goneValues_;
};

// The cleaning run itself: removes as the window's run does and counts what
// went.
class ReportingSink : public TallySink {
 public:
  bool RemoveFile(FileSystem& files, const std::string& path, std::uint64_t size) override;
  bool DeleteCacheEntry(UrlCache& cache, const CacheEntry& entry) override;
  bool DeleteValue(RegistryKey& key, RootKey root, const std::string& subKey,
                   const char* name) override;
  void EmptyRecycleBin(Shell& shell, unsigned flags) override;
};

}  // namespace vantrel
