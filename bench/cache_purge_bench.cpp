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
//            deletes each matching entry (DeleteUrlCacheEntry)
#include <windows.h>
#include <psapi.h>
#include <wininet.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/cache_cleaner.h"
#include "engine/progress_dialog.h"
#include "platform/progress_view.h"
#include "platform/win32/message_pump_win32.h"
#include "platform/win32/url_cache_win32.h"
#include "settings/setup_data.h"

namespace {

using namespace vantrel;

constexpr DWORD kKinds[] = {COOKIE_CACHE_ENTRY, URLHISTORY_CACHE_ENTRY, NORMAL_CACHE_ENTRY};

class SilentView : public ProgressView, MessageBoxes, LabelView {
 public:
  ProgressBarView& CategoryBar() override { return category_; }
  ProgressBarView& OverallBar() override { return overall_; }
  LabelView& StepLabel() override { return *this; }
  LabelView& CountLabel() override { return *this; }
  MessageBoxes& Messages() override { return *this; }
  int Show(const std::string&, const std::string&, unsigned) override { return IDOK; }
  void SetText(const std::string&) override {}

 private:
  struct Bar : ProgressBarView {
    void SetRange(int, int) override {}
    void SetPos(int position) override { last = position; }
    int last = 0;
  } category_, overall_;
};

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

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
    std::fprintf(stderr, "usage: cache_purge_bench seed N | window | silent | bare\n");
    return 2;
  }
  const std::string mode = argv[1];
  if (mode == "seed") {
    const int wanted = argc > 2 ? std::atoi(argv[2]) : 0;
    const int seeded = Seed(wanted);
    std::printf("seeded=%d\n", seeded);
    return seeded == wanted ? 0 : 1;
  }

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  if (mode == "window") {
    ProgressDialog dialog;
    if (!dialog.Create(nullptr)) return 3;
    SetWindowPos(dialog.hwnd(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(dialog.hwnd());
    dialog.CategoryBar().SetRange(0, 1001);
    dialog.OverallBar().SetRange(0, 1001);
    Win32UrlCache cache;
    Win32MessagePump pump;
    CacheCleaner cleaner(cache, pump, dialog);
    QueryPerformanceCounter(&start);
    for (const DWORD kind : kKinds) cleaner.PurgeCacheEntries(kind, 0, 333);
    QueryPerformanceCounter(&end);
  } else if (mode == "silent") {
    Win32UrlCache cache;
    Win32MessagePump pump;
    SilentView view;
    CacheCleaner cleaner(cache, pump, view);
    QueryPerformanceCounter(&start);
    for (const DWORD kind : kKinds) cleaner.PurgeCacheEntries(kind, 0, 333);
    QueryPerformanceCounter(&end);
  } else if (mode == "bare") {
    QueryPerformanceCounter(&start);
    for (const DWORD kind : kKinds) {
      BareEnumeration(kind, false);
      BareEnumeration(kind, true);
    }
    QueryPerformanceCounter(&end);
  } else {
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
  }
  const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
  const int left = BareEnumeration(COOKIE_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY, false);

  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ticks = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  const double cpu = (ticks(kernel) + ticks(user)) / 1e7;
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  std::printf("mode=%s left=%d seconds=%.3f cpu_seconds=%.3f peak_private_kb=%lu\n", mode.c_str(),
              left, seconds, cpu, static_cast<unsigned long>(memory.PeakPagefileUsage / 1024));
  return left == 0 ? 0 : 1;
}
