#include "engine/cache_cleaner.h"

#include "platform/message_pump.h"
#include "platform/progress_view.h"
#include "platform/url_cache.h"

namespace vantrel {

namespace {

constexpr std::uint32_t kFirstBufferSize = 4096;

}  // namespace

template <typename Handle>
bool CacheCleaner::ForEachEntry(std::uint32_t entryType, Handle handle) {
  // Normal entries are always asked for; the type test below picks.
  const std::uint32_t filter = entryType | cache::kNormalEntry;
  std::uint32_t size = kFirstBufferSize;
  auto buffer = std::make_unique<CacheEntryBuffer>(size);
  CacheEntry entry;
  auto enumeration = cache_.FindFirst(filter, *buffer, size, entry);
  // A first entry larger than the buffer is asked for again with the room
  // the cache asked for, as every later entry is.
  while (!enumeration && size > buffer->Size()) {
    buffer.reset();
    buffer = std::make_unique<CacheEntryBuffer>(size);
    enumeration = cache_.FindFirst(filter, *buffer, size, entry);
  }
  if (!enumeration) return false;

  auto handleIfMatching = [&] {
    if ((entry.entryType & entryType) != 0) handle(entry);
  };
  handleIfMatching();
  for (;;) {
    pump_.DrainPending();
    if (pump_.Stopping()) return true;
    const std::uint32_t offered = size;
    switch (enumeration->FindNext(*buffer, size, entry)) {
      case CacheFindResult::kFound:
        handleIfMatching();
        break;
      case CacheFindResult::kBufferTooSmall:
        // The same entry comes again with room for it. A size that does not
        // grow would bring the same answer for ever.
        if (size <= offered) return true;
        buffer.reset();
        buffer = std::make_unique<CacheEntryBuffer>(size);
        break;
      case CacheFindResult::kEnd:
        return true;
    }
  }
}

int CacheCleaner::CountCacheEntries(std::uint32_t entryType) {
  int count = 0;
  ForEachEntry(entryType, [&](const CacheEntry&) { ++count; });
  return count;
}

void CacheCleaner::PurgeCacheEntries(std::uint32_t entryType, int base, int span) {
  int expected = CountCacheEntries(entryType);
  if (expected == 0) expected = 1;

  // 64 bits, so that a cache that grew far beyond its count cannot wrap
  // the bar positions around.
  std::int64_t done = 0;
  const bool started = ForEachEntry(entryType, [&](const CacheEntry& entry) {
    removals_.DeleteCacheEntry(cache_, entry);
    done += 1000;
    const std::int64_t pos = done / expected;
    view_.CategoryBar().SetPos(static_cast<int>(pos));
    view_.OverallBar().SetPos(base + static_cast<int>(static_cast<double>(pos * span) * 0.001));
  });
  if (started && (entryType & cache::kNormalEntry) != 0) view_.CategoryBar().SetPos(1000);
}

}  // namespace vantrel
