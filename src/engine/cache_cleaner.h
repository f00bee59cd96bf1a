#pragma once
// Cleans the Internet Explorer cache index: counts and deletes the entries
// of one kind through the URL-cache enumeration, moving the progress bars.

#include <cstdint>

#include "engine/removal_sink.h"

namespace vantrel {

class MessagePump;
class ProgressView;

class CacheCleaner {
 public:
  // Entries go through removals.
  CacheCleaner(UrlCache& cache, MessagePump& pump, ProgressView& view,
               RemovalSink& removals = RemovalSink::OnSystem())
      : cache_(cache), removals_(removals), pump_(pump), view_(view) {}

  // The number of entries whose type shares a bit with entryType; 0 when
  // the enumeration cannot start.
  int CountCacheEntries(std::uint32_t entryType);
  // Deletes those entries. The upper bar shows the share deleted (0 to
  // 1000), the lower bar goes from base towards base + span.
  void PurgeCacheEntries(std::uint32_t entryType, int base, int span);

 private:
  // Calls handle for every matching entry; false when the enumeration did
  // not start.
  template <typename Handle>
  bool ForEachEntry(std::uint32_t entryType, Handle handle);

  UrlCache& cache_;
  RemovalSink& removals_;
  MessagePump& pump_;
  ProgressView& view_;
};

}  // namespace vantrel
