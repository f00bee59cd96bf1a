#pragma once
// The Internet Explorer URL cache index, in the shape of WinINet's
// find-first / find-next enumeration. The caller owns the entry buffer and
// the size variable that goes with it: each call reads the size and may
// change it, and a "buffer too small" answer leaves the size needed in it.

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace vantrel {

namespace cache {
inline constexpr std::uint32_t kNormalEntry = 0x00000001;
inline constexpr std::uint32_t kCookieEntry = 0x00100000;
inline constexpr std::uint32_t kUrlHistoryEntry = 0x00200000;
}  // namespace cache

// One heap block for the entry information (INTERNET_CACHE_ENTRY_INFOA and
// its strings). Its first field, dwStructSize, holds the block's own size.
class CacheEntryBuffer {
 public:
  explicit CacheEntryBuffer(std::uint32_t size)
      : size_(size < sizeof(std::uint32_t) ? sizeof(std::uint32_t) : size),
        bytes_(new unsigned char[size_]()) {
    std::memcpy(bytes_.get(), &size_, sizeof size_);
  }

  void* Data() { return bytes_.get(); }
  const void* Data() const { return bytes_.get(); }
  std::uint32_t Size() const { return size_; }

 private:
  std::uint32_t size_;
  std::unique_ptr<unsigned char[]> bytes_;
};

// The fields the cleaner reads of an entry the cache put in the buffer.
struct CacheEntry {
  std::uint32_t entryType = 0;  // CacheEntryType
  std::string sourceUrl;        // lpszSourceUrlName
  std::string localFile;        // lpszLocalFileName: goes with the entry when it is deleted
};

enum class CacheFindResult {
  kFound,           // the buffer holds the next entry; entry is filled
  kBufferTooSmall,  // ERROR_INSUFFICIENT_BUFFER: size holds the size needed,
                    // and the same entry comes again
  kEnd,             // no more entries, or any other failure
};

// An open enumeration; destroying it closes the find handle.
class CacheEnumeration {
 public:
  virtual ~CacheEnumeration() = default;
  virtual CacheFindResult FindNext(CacheEntryBuffer& buffer, std::uint32_t& size,
                                   CacheEntry& entry) = 0;
};

class UrlCache {
 public:
  virtual ~UrlCache() = default;
  // Starts an enumeration of the entries that filter selects and reads the
  // first into buffer. nullptr when it cannot start: nothing to enumerate,
  // or the first entry does not fit, and then size holds the size needed.
  virtual std::unique_ptr<CacheEnumeration> FindFirst(std::uint32_t filter,
                                                      CacheEntryBuffer& buffer,
                                                      std::uint32_t& size, CacheEntry& entry) = 0;
  // Deletes the entry of sourceUrl (and its local file).
  virtual bool DeleteEntry(const std::string& sourceUrl) = 0;
};

}  // namespace vantrel
