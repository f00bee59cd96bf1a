// The cache cleaner against Wine's real WinINet URL cache, on entries it
// seeds itself.
#include "engine/cache_cleaner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <utility>

#include "event_progress_view.h"
#include "platform/url_cache.h"
#include "platform/win32/message_pump_win32.h"
#include "platform/win32/url_cache_win32.h"

namespace vantrel {
namespace {

using ::testing::Contains;
using ::testing::IsEmpty;
using ::testing::Not;

struct Seeded {
  std::string url;
  DWORD type;
};

// Every entry of the cache with its type, through the classic enumeration.
std::vector<Seeded> AllEntries() {
  std::vector<Seeded> entries;
  std::vector<char> buffer(4096);
  auto info = [&] { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data()); };
  HANDLE find = nullptr;
  // Asks again, with the room asked for, as long as an entry does not fit.
  auto fetch = [&](auto call) {
    for (;;) {
      DWORD size = static_cast<DWORD>(buffer.size());
      if (call(size)) return true;
      if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
      buffer.resize(size);
    }
  };
  if (!fetch([&](DWORD& size) {
        find = FindFirstUrlCacheEntryA(nullptr, info(), &size);
        return find != nullptr;
      })) {
    return entries;
  }
  do {
    entries.push_back(Seeded{info()->lpszSourceUrlName, info()->CacheEntryType});
  } while (fetch([&](DWORD& size) { return FindNextUrlCacheEntryA(find, info(), &size) != FALSE; }));
  FindCloseUrlCache(find);
  return entries;
}

std::vector<std::string> UrlsOf(const std::vector<Seeded>& entries) {
  std::vector<std::string> urls;
  for (const auto& e : entries) urls.push_back(e.url);
  return urls;
}

bool Seed(const std::string& url, DWORD type) {
  FILETIME never = {};
  if (type != NORMAL_CACHE_ENTRY) {
    return CommitUrlCacheEntryA(url.c_str(), nullptr, never, never, type, nullptr, 0, nullptr,
                                nullptr) != FALSE;
  }
  char file[MAX_PATH] = {};
  if (!CreateUrlCacheEntryA(url.c_str(), 0, "html", file, 0)) return false;
  HANDLE handle = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(handle, "<html></html>", 13, &written, nullptr);
  CloseHandle(handle);
  return CommitUrlCacheEntryA(url.c_str(), file, never, never, NORMAL_CACHE_ENTRY, nullptr, 0,
                              nullptr, nullptr) != FALSE;
}

class CacheCleanerWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string id = std::to_string(GetCurrentProcessId());
    seeded = {
        {"Cookie:vantrel@one" + id + ".vantrel.test/", COOKIE_CACHE_ENTRY},
        {"Cookie:vantrel@two" + id + ".vantrel.test/", COOKIE_CACHE_ENTRY},
        {"Visited: vantrel@http://one" + id + ".vantrel.test/", URLHISTORY_CACHE_ENTRY},
        {"Visited: vantrel@http://two" + id + ".vantrel.test/page", URLHISTORY_CACHE_ENTRY},
        {"http://one" + id + ".vantrel.test/index.html", NORMAL_CACHE_ENTRY},
        {"http://two" + id + ".vantrel.test/page.html", NORMAL_CACHE_ENTRY},
        {"http://three" + id + ".vantrel.test/style.css", NORMAL_CACHE_ENTRY},
    };
    for (const auto& e : seeded) ASSERT_TRUE(Seed(e.url, e.type)) << e.url;
  }
  void TearDown() override {
    for (const auto& e : seeded) DeleteUrlCacheEntryA(e.url.c_str());
  }

  // Purges type and checks that exactly the entries of that type went.
  void ExpectPurgeDeletesExactly(DWORD type) {
    cleaner.PurgeCacheEntries(type, 100, 200);

    const auto after = AllEntries();
    for (const auto& e : after) EXPECT_EQ(e.type & type, 0u) << e.url << " is left";
    const auto urls = UrlsOf(after);
    for (const auto& e : seeded) {
      if (e.type & type) {
        EXPECT_THAT(urls, Not(Contains(e.url)));
      } else {
        EXPECT_THAT(urls, Contains(e.url));
      }
    }
    // Every matching entry was counted first, so both bars end at their ends.
    EXPECT_EQ(LastEvent("category"), "category.pos 1000");
    EXPECT_EQ(LastEvent("overall"), "overall.pos 300");
  }

  std::string LastEvent(const std::string& bar) const {
    const auto last = std::find_if(view.events.rbegin(), view.events.rend(),
                                   [&](const std::string& e) { return e.rfind(bar, 0) == 0; });
    return last == view.events.rend() ? std::string() : *last;
  }

  std::vector<Seeded> seeded;
  Win32UrlCache cache;
  Win32MessagePump pump;
  winetest::EventProgressView view;
  CacheCleaner cleaner{cache, pump, view};
};

TEST_F(CacheCleanerWineTest, TheSeededEntriesCarryTheirTypes) {
  const auto entries = AllEntries();
  for (const auto& e : seeded) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const Seeded& s) { return s.url == e.url; });
    ASSERT_NE(found, entries.end()) << e.url;
    EXPECT_EQ(found->type & e.type, e.type) << e.url;
  }
}

TEST_F(CacheCleanerWineTest, CountsEntriesOfEachType) {
  const auto entries = AllEntries();
  for (DWORD type : std::initializer_list<DWORD>{COOKIE_CACHE_ENTRY, URLHISTORY_CACHE_ENTRY,
                                                 NORMAL_CACHE_ENTRY}) {
    const auto expected = std::count_if(entries.begin(), entries.end(),
                                        [&](const Seeded& e) { return (e.type & type) != 0; });
    EXPECT_EQ(cleaner.CountCacheEntries(type), expected) << std::hex << type;
  }
}

TEST_F(CacheCleanerWineTest, TheCookiePurgeDeletesCookiesOnly) {
  ExpectPurgeDeletesExactly(COOKIE_CACHE_ENTRY);
}

TEST_F(CacheCleanerWineTest, TheHistoryPurgeDeletesHistoryOnly) {
  ExpectPurgeDeletesExactly(URLHISTORY_CACHE_ENTRY);
}

TEST_F(CacheCleanerWineTest, TheEntryPurgeDeletesNormalEntriesOnly) {
  ExpectPurgeDeletesExactly(NORMAL_CACHE_ENTRY);
}

TEST_F(CacheCleanerWineTest, AnEntryLargerThanTheFirstBufferIsDeletedToo) {
  const std::string longUrl =
      "http://long" + std::to_string(GetCurrentProcessId()) + ".vantrel.test/" +
      std::string(5000, 'a');
  ASSERT_TRUE(Seed(longUrl, NORMAL_CACHE_ENTRY));
  seeded.push_back({longUrl, NORMAL_CACHE_ENTRY});
  const auto before = UrlsOf(AllEntries());
  // Only a first entry that does not fit keeps the enumeration from starting.
  ASSERT_NE(before.front(), longUrl);

  ExpectPurgeDeletesExactly(NORMAL_CACHE_ENTRY);
}

TEST_F(CacheCleanerWineTest, AFirstEntryLargerThanTheFirstBufferIsDeletedToo) {
  // With the cache empty, the long entry is the first one the enumeration gives.
  for (const auto& e : AllEntries()) DeleteUrlCacheEntryA(e.url.c_str());
  ASSERT_THAT(AllEntries(), IsEmpty());
  const std::string longUrl =
      "http://first" + std::to_string(GetCurrentProcessId()) + ".vantrel.test/" +
      std::string(5000, 'b');
  ASSERT_TRUE(Seed(longUrl, NORMAL_CACHE_ENTRY));
  seeded = {{longUrl, NORMAL_CACHE_ENTRY}};

  EXPECT_EQ(cleaner.CountCacheEntries(NORMAL_CACHE_ENTRY), 1);
  ExpectPurgeDeletesExactly(NORMAL_CACHE_ENTRY);
  EXPECT_THAT(AllEntries(), IsEmpty());
}

}  // namespace
}  // namespace vantrel
