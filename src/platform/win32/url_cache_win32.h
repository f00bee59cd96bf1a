#pragma once
#include "platform/url_cache.h"

namespace vantrel {

// The URL-cache port over WinINet. Enumerations use FindFirstUrlCacheEntryExA
// and FindNextUrlCacheEntryExA; where the Ex enumeration cannot start at all
// (Wine has it only as a stub), the classic FindFirstUrlCacheEntryA and
// FindNextUrlCacheEntryA take over. Those ignore the filter and yield every
// entry, so callers must test each entry's type themselves.
class Win32UrlCache : public UrlCache {
 public:
  std::unique_ptr<CacheEnumeration> FindFirst(std::uint32_t filter, CacheEntryBuffer& buffer,
                                              std::uint32_t& size, CacheEntry& entry) override;
  bool DeleteEntry(const std::string& sourceUrl) override;
};

}  // namespace vantrel
