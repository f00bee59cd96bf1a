#include "fakes/memory_url_cache.h"

#include <cstdio>
#include <cstring>

namespace vantrel::testing {

namespace {

// What WinINet leaves in dwStructSize of a buffer it filled:
// sizeof(INTERNET_CACHE_ENTRY_INFOA) on 64-bit Windows.
constexpr std::uint32_t kFilledStructSize = 80;

std::uint32_t StructSizeOf(const CacheEntryBuffer& buffer) {
  std::uint32_t value = 0;
  std::memcpy(&value, buffer.Data(), sizeof value);
  return value;
}

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(value));
  return text;
}

}  // namespace

class MemoryCacheEnumeration : public CacheEnumeration {
 public:
  MemoryCacheEnumeration(MemoryUrlCache& cache, std::uint32_t filter, std::size_t next)
      : cache_(cache), filter_(filter), next_(next) {}
  ~MemoryCacheEnumeration() override { cache_.calls.push_back("close"); }

  CacheFindResult FindNext(CacheEntryBuffer& buffer, std::uint32_t& size,
                           CacheEntry& entry) override {
    cache_.calls.push_back("next " + std::to_string(size));
    return cache_.Read(filter_, next_, buffer, size, entry);
  }

 private:
  MemoryUrlCache& cache_;
  std::uint32_t filter_;
  std::size_t next_;
};

void MemoryUrlCache::AddEntry(const std::string& sourceUrl, std::uint32_t entryType,
                              std::uint32_t infoSize) {
  entries_.push_back(Entry{sourceUrl, entryType, infoSize, false, "", nullptr});
}

void MemoryUrlCache::SetLocalFile(const std::string& sourceUrl, const std::string& path,
                                  FileSystem* files) {
  for (auto& e : entries_) {
    if (e.sourceUrl == sourceUrl) {
      e.localFile = path;
      e.localFiles = files;
    }
  }
}

bool MemoryUrlCache::HasEntry(const std::string& sourceUrl) const {
  for (const auto& e : entries_) {
    if (!e.deleted && e.sourceUrl == sourceUrl) return true;
  }
  return false;
}

std::vector<std::string> MemoryUrlCache::Urls() const {
  std::vector<std::string> urls;
  for (const auto& e : entries_) {
    if (!e.deleted) urls.push_back(e.sourceUrl);
  }
  return urls;
}

void MemoryUrlCache::CheckBuffer(const CacheEntryBuffer& buffer, std::uint32_t size) {
  if (size > buffer.Size()) {
    faults.push_back("size " + std::to_string(size) + " given with a buffer of " +
                     std::to_string(buffer.Size()));
  }
  const std::uint32_t structSize = StructSizeOf(buffer);
  if (structSize != kFilledStructSize && structSize != buffer.Size()) {
    faults.push_back("dwStructSize " + std::to_string(structSize) + " in a buffer of " +
                     std::to_string(buffer.Size()));
  }
}

CacheFindResult MemoryUrlCache::Read(std::uint32_t filter, std::size_t& index,
                                     CacheEntryBuffer& buffer, std::uint32_t& size,
                                     CacheEntry& entry) {
  CheckBuffer(buffer, size);
  std::size_t at = index;
  while (at < entries_.size() &&
         (entries_[at].deleted || (!ignoresFilter && (entries_[at].entryType & filter) == 0))) {
    ++at;
  }
  if (at == entries_.size()) return CacheFindResult::kEnd;
  const Entry& found = entries_[at];
  if (size < found.infoSize) {
    if (!understatesNeededSize) size = found.infoSize;
    return CacheFindResult::kBufferTooSmall;
  }
  size = found.infoSize;
  const std::uint32_t filled = kFilledStructSize;
  std::memcpy(buffer.Data(), &filled, sizeof filled);
  entry.entryType = found.entryType;
  entry.sourceUrl = found.sourceUrl;
  entry.localFile = found.localFile;
  index = at + 1;
  return CacheFindResult::kFound;
}

std::unique_ptr<CacheEnumeration> MemoryUrlCache::FindFirst(std::uint32_t filter,
                                                            CacheEntryBuffer& buffer,
                                                            std::uint32_t& size,
                                                            CacheEntry& entry) {
  calls.push_back("first " + Hex(filter) + " " + std::to_string(size));
  std::size_t index = 0;
  if (Read(filter, index, buffer, size, entry) != CacheFindResult::kFound) return nullptr;
  return std::make_unique<MemoryCacheEnumeration>(*this, filter, index);
}

bool MemoryUrlCache::DeleteEntry(const std::string& sourceUrl) {
  calls.push_back("delete " + sourceUrl);
  if (locked_.count(sourceUrl) != 0) return false;
  for (auto& e : entries_) {
    if (!e.deleted && e.sourceUrl == sourceUrl) {
      e.deleted = true;
      if (e.localFiles != nullptr && !e.localFile.empty()) e.localFiles->Delete(e.localFile);
      return true;
    }
  }
  return false;
}

}  // namespace vantrel::testing
