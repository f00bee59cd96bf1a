// Times one way of emptying a seeded Internet cache under Wine and prints one
// line of figures; bench/run-cache-bench.sh seeds the cache and compares the
// ways.
//
//   cache_purge_bench.exe seed N       commits N entries, a third each of
//                                      cookies, history and normal entries
//   cache_purge_bench.exe MODE         empties them as a run does: cookies,
//                                      history, then normal entries
//     window PurgeCacheEntries on the progress window shown on screen
//     silent the same through CacheCleaner with a view that draws nothing
//     bare   the same WinINet calls by hand, for each kind: an enumeration
//            with the pump before every find-next that counts, then one that
//            deletes each matching entry (DeleteUrlCacheEntry); made while
//            the progress window is shown and still, as in the folder purge
//            benchmark
//     bare-nowindow  the same in a thread without any window
#include "bench_support.h"

#include <wininet.h>

#include <cstdlib>
#include <vector>

#include "engine/cache_cleaner.h"
#include "platform/win32/message_pump_win32.h"
#include "platform/win32/url_cache_win32.h"

namespace {

using namespace vantrel;
using bench::Pump;

constexpr DWORD kKinds[] = {COOKIE_CACHE_ENTRY, URLHISTORY_CACHE_ENTRY, NORMAL_CACHE_ENTRY};

int Seed(int count) {
  FILETIME never = {};
  int seeded = 0;
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    const DWORD kind = kKinds[i % 3];
    const std::string url = kind == COOKIE_CACHE_ENTRY       ? "Cookie:bench@host" + n + ".test/"
                            : kind == URLHISTORY_CACHE_ENTRY ? "Visited: bench@http://host" + n + ".test/"
                                                             : "http://host" + n + ".test/page.html";
    if (CommitUrlCacheEntryA(url.c_str(), nullptr, never, never, kind, nullptr, 0, nullptr, nullptr)) {
      ++seeded;
    }
  }
  return seeded;
}

// One enumeration as the cleaner makes it, with the buffer grown on demand;
// deletes the entries of kind when asked, else counts them.
int BareEnumeration(DWORD kind, bool remove) {
  std::vector<char> buffer(4096);
  auto info = [&] { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data()); };
  DWORD size = static_cast<DWORD>(buffer.size());
  HANDLE find = FindFirstUrlCacheEntryA(nullptr, info(), &size);
  while (find == nullptr && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    buffer.resize(size);
    find = FindFirstUrlCacheEntryA(nullptr, info(), &size);
  }
  if (find == nullptr) return 0;
  int matching = 0;
  for (;;) {
    if ((info()->CacheEntryType & kind) != 0) {
      ++matching;
      if (remove) DeleteUrlCacheEntryA(info()->lpszSourceUrlName);
    }
    Pump();
    size = static_cast<DWORD>(buffer.size());
    while (!FindNextUrlCacheEntryA(find, info(), &size)) {
      if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        FindCloseUrlCache(find);
        return matching;
      }
      buffer.resize(size);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: cache_purge_bench seed N | window | silent | bare | bare-nowindow\n");
    return 2;
  }
  const std::string mode = argv[1];
  if (mode == "seed") {
    const int wanted = argc > 2 ? std::atoi(argv[2]) : 0;
    const int seeded = Seed(wanted);
    std::printf("seeded=%d\n", seeded);
    return seeded == wanted ? 0 : 1;
  }

  ProgressDialog dialog;
  if ((mode == "window" || mode == "bare") && !bench::ShowProgressWindow(dialog)) return 3;
  double seconds = 0;
  if (mode == "window" || mode == "silent") {
    bench::SilentView silentView;
    ProgressView& view = mode == "window" ? static_cast<ProgressView&>(dialog) : silentView;
    Win32UrlCache cache;
    Win32MessagePump pump;
    CacheCleaner cleaner(cache, pump, view);
    const bench::Stopwatch watch;
    for (const DWORD kind : kKinds) cleaner.PurgeCacheEntries(kind, 0, 333);
    seconds = watch.Seconds();
  } else if (mode == "bare" || mode == "bare-nowindow") {
    const bench::Stopwatch watch;
    for (const DWORD kind : kKinds) {
      BareEnumeration(kind, false);
      BareEnumeration(kind, true);
    }
    seconds = watch.Seconds();
  } else {
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
  }
  const int left = BareEnumeration(COOKIE_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY, false);
  char extra[80];
  std::snprintf(extra, sizeof extra, "left=%d frames=%d", left,
                mode == "window" ? bench::FramesDrawn(dialog) : 0);
  bench::PrintFigures(mode, extra, seconds);
  return left == 0 ? 0 : 1;
}
