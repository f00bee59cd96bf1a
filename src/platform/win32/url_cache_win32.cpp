#include "platform/win32/url_cache_win32.h"

#include <windows.h>
#include <wininet.h>

namespace vantrel {

namespace {

INTERNET_CACHE_ENTRY_INFOA* InfoOf(CacheEntryBuffer& buffer) {
  return static_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.Data());
}

void Decode(CacheEntryBuffer& buffer, CacheEntry& entry) {
  const INTERNET_CACHE_ENTRY_INFOA* info = InfoOf(buffer);
  entry.entryType = info->CacheEntryType;
  entry.sourceUrl = info->lpszSourceUrlName != nullptr ? info->lpszSourceUrlName : "";
  entry.localFile = info->lpszLocalFileName != nullptr ? info->lpszLocalFileName : "";
}

class Win32CacheEnumeration : public CacheEnumeration {
 public:
  Win32CacheEnumeration(HANDLE handle, bool classic) : handle_(handle), classic_(classic) {}
  ~Win32CacheEnumeration() override { FindCloseUrlCache(handle_); }
  Win32CacheEnumeration(const Win32CacheEnumeration&) = delete;
  Win32CacheEnumeration& operator=(const Win32CacheEnumeration&) = delete;

  CacheFindResult FindNext(CacheEntryBuffer& buffer, std::uint32_t& size,
                           CacheEntry& entry) override {
    DWORD inOut = size;
    const BOOL found =
        classic_ ? FindNextUrlCacheEntryA(handle_, InfoOf(buffer), &inOut)
                 : FindNextUrlCacheEntryExA(handle_, InfoOf(buffer), &inOut, nullptr, nullptr,
                                            nullptr);
    const DWORD error = found ? ERROR_SUCCESS : GetLastError();
    size = inOut;
    if (found) {
      Decode(buffer, entry);
      return CacheFindResult::kFound;
    }
    return error == ERROR_INSUFFICIENT_BUFFER ? CacheFindResult::kBufferTooSmall
                                              : CacheFindResult::kEnd;
  }

 private:
  HANDLE handle_;
  bool classic_;
};

}  // namespace

std::unique_ptr<CacheEnumeration> Win32UrlCache::FindFirst(std::uint32_t filter,
                                                           CacheEntryBuffer& buffer,
                                                           std::uint32_t& size,
                                                           CacheEntry& entry) {
  DWORD inOut = size;
  bool classic = false;
  HANDLE handle = FindFirstUrlCacheEntryExA(nullptr, 0, filter, 0, InfoOf(buffer), &inOut,
                                            nullptr, nullptr, nullptr);
  if (handle == nullptr) {
    // An empty cache and a first entry too large are answers; anything else
    // means the Ex enumeration is not there to ask.
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_ITEMS && error != ERROR_INSUFFICIENT_BUFFER) {
      classic = true;
      handle = FindFirstUrlCacheEntryA(nullptr, InfoOf(buffer), &inOut);
    }
  }
  if (handle == nullptr) {
    // Only a first entry that did not fit tells the caller a size to ask again with.
    if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) size = inOut;
    return nullptr;
  }
  size = inOut;
  Decode(buffer, entry);
  return std::make_unique<Win32CacheEnumeration>(handle, classic);
}

bool Win32UrlCache::DeleteEntry(const std::string& sourceUrl) {
  return DeleteUrlCacheEntryA(sourceUrl.c_str()) != FALSE;
}

}  // namespace vantrel
