#pragma once
// An in-memory URL cache behind the URL-cache port, with WinINet's buffer
// rules: every find call reads the size variable and leaves in it the size
// the entry needs, and answers "too small" (the same entry coming again)
// when the size given is less than that. It also checks the caller's side
// of the bargain and lists every breach in faults.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/url_cache.h"

namespace vantrel::testing {

class MemoryUrlCache : public UrlCache {
 public:
  // infoSize: the bytes the entry's information needs, structure and strings.
  void AddEntry(const std::string& sourceUrl, std::uint32_t entryType,
                std::uint32_t infoSize = 300);
  // The entry's own file, which goes when the entry is deleted (from files,
  // when given).
  void SetLocalFile(const std::string& sourceUrl, const std::string& path,
                    FileSystem* files = nullptr);
  // DeleteEntry of it fails, as for an entry in use.
  void LockEntry(const std::string& sourceUrl) { locked_.insert(sourceUrl); }
  bool HasEntry(const std::string& sourceUrl) const;
  // The entries still there, in enumeration order.
  std::vector<std::string> Urls() const;

  std::unique_ptr<CacheEnumeration> FindFirst(std::uint32_t filter, CacheEntryBuffer& buffer,
                                              std::uint32_t& size, CacheEntry& entry) override;
  bool DeleteEntry(const std::string& sourceUrl) override;

  // The classic enumeration: every entry, whatever the filter.
  bool ignoresFilter = false;
  // A broken cache that answers "too small" without asking for more.
  bool understatesNeededSize = false;

  // Every call, in order: "first 0x00100001 4096", "next 300", "delete u",
  // "close".
  std::vector<std::string> calls;
  std::vector<std::string> faults;

 private:
  friend class MemoryCacheEnumeration;
  struct Entry {
    std::string sourceUrl;
    std::uint32_t entryType;
    std::uint32_t infoSize;
    bool deleted = false;
    std::string localFile;
    FileSystem* localFiles = nullptr;
  };
  // Finds the next entry from index on; the enumeration's answer.
  CacheFindResult Read(std::uint32_t filter, std::size_t& index, CacheEntryBuffer& buffer,
                       std::uint32_t& size, CacheEntry& entry);
  void CheckBuffer(const CacheEntryBuffer& buffer, std::uint32_t size);

  std::vector<Entry> entries_;
  std::set<std::string> locked_;
};

}  // namespace vantrel::testing
