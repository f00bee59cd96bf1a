#include "engine/cache_cleaner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/counting_message_pump.h"
#include "fakes/memory_url_cache.h"
#include "fakes/recording_progress_view.h"

namespace vantrel {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using testing::CountingMessagePump;
using testing::MemoryUrlCache;
using testing::RecordingProgressView;

constexpr std::uint32_t kCookie = cache::kCookieEntry;
constexpr std::uint32_t kHistory = cache::kUrlHistoryEntry;
constexpr std::uint32_t kNormal = cache::kNormalEntry;
constexpr std::uint32_t kSticky = 0x00000004;

class CacheCleanerTest : public ::testing::Test {
 protected:
  // Every drain shows in the cache's call list, between the find calls.
  void LogDrains() {
    pump.onDrain = [this] { cache.calls.push_back("drain"); };
  }

  MemoryUrlCache cache;
  CountingMessagePump pump;
  RecordingProgressView view;
  CacheCleaner cleaner{cache, pump, view};
};

TEST_F(CacheCleanerTest, FourCookiesMoveTheUpperBarInQuartersAndTheLowerAcrossItsSpan) {
  cache.AddEntry("Cookie:a@one.example/", kCookie);
  cache.AddEntry("Visited: a@http://one.example/", kHistory);
  cache.AddEntry("Cookie:b@two.example/", kCookie);
  cache.AddEntry("http://one.example/page.html", kNormal);
  cache.AddEntry("Cookie:c@three.example/", kCookie);
  cache.AddEntry("Cookie:d@four.example/", kCookie);

  cleaner.PurgeCacheEntries(kCookie, 180, 45);

  // 180 + 250 * 45 / 1000 and so on, truncated.
  EXPECT_THAT(view.events, ElementsAre("category.pos 250", "overall.pos 191",  //
                                       "category.pos 500", "overall.pos 202",  //
                                       "category.pos 750", "overall.pos 213",  //
                                       "category.pos 1000", "overall.pos 225"));
  EXPECT_THAT(cache.Urls(), ElementsAre("Visited: a@http://one.example/",
                                        "http://one.example/page.html"));
  EXPECT_THAT(cache.faults, IsEmpty());
}

struct PurgeCase {
  const char* name;
  std::uint32_t entryType;
  bool classicEnumeration;  // the cache yields every entry, whatever the filter
  std::vector<std::string> remaining;
};

void PrintTo(const PurgeCase& c, std::ostream* out) { *out << c.name; }

class CachePurgeKindTest : public CacheCleanerTest,
                           public ::testing::WithParamInterface<PurgeCase> {};

TEST_P(CachePurgeKindTest, DeletesExactlyTheEntriesOfItsType) {
  cache.ignoresFilter = GetParam().classicEnumeration;
  cache.AddEntry("Cookie:a@one.example/", kCookie);
  cache.AddEntry("Visited: a@http://one.example/", kHistory);
  cache.AddEntry("http://one.example/page.html", kNormal);
  cache.AddEntry("Cookie:b@two.example/", kCookie | kNormal);
  cache.AddEntry("http://two.example/sticky.gif", kNormal | kSticky);
  cache.AddEntry("Visited: a@http://two.example/", kHistory);
  cache.AddEntry("ie:private", 0x00000040);

  cleaner.PurgeCacheEntries(GetParam().entryType, 0, 90);

  EXPECT_THAT(cache.Urls(), ElementsAreArray(GetParam().remaining));
  EXPECT_THAT(cache.faults, IsEmpty());
}

const std::vector<std::string> kAfterCookies = {
    "Visited: a@http://one.example/", "http://one.example/page.html",
    "http://two.example/sticky.gif", "Visited: a@http://two.example/", "ie:private"};
const std::vector<std::string> kAfterHistory = {
    "Cookie:a@one.example/", "http://one.example/page.html", "Cookie:b@two.example/",
    "http://two.example/sticky.gif", "ie:private"};
const std::vector<std::string> kAfterEntries = {
    "Cookie:a@one.example/", "Visited: a@http://one.example/",
    "Visited: a@http://two.example/", "ie:private"};

INSTANTIATE_TEST_SUITE_P(
    Kinds, CachePurgeKindTest,
    ::testing::Values(PurgeCase{"Cookies", kCookie, false, kAfterCookies},
                      PurgeCase{"History", kHistory, false, kAfterHistory},
                      PurgeCase{"Entries", kNormal, false, kAfterEntries},
                      PurgeCase{"CookiesClassic", kCookie, true, kAfterCookies},
                      PurgeCase{"HistoryClassic", kHistory, true, kAfterHistory},
                      PurgeCase{"EntriesClassic", kNormal, true, kAfterEntries}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CacheCleanerTest, TheEnumerationAsksForTheTypeWithTheNormalBitAndAFirstBufferOf4096) {
  cache.AddEntry("Cookie:a@one.example/", kCookie);
  cache.AddEntry("Visited: a@http://one.example/", kHistory);

  EXPECT_EQ(cleaner.CountCacheEntries(kCookie), 1);
  EXPECT_EQ(cleaner.CountCacheEntries(kHistory), 1);
  EXPECT_EQ(cleaner.CountCacheEntries(kNormal), 0);

  EXPECT_EQ(cache.calls[0], "first 0x00100001 4096");
  EXPECT_THAT(std::count(cache.calls.begin(), cache.calls.end(), "first 0x00200001 4096"), 1);
  EXPECT_THAT(std::count(cache.calls.begin(), cache.calls.end(), "first 0x00000001 4096"), 1);
}

TEST_F(CacheCleanerTest, TheEntryPurgeDeletesEveryNormalEntryAndEndsTheUpperBarAt1000) {
  cache.AddEntry("http://one.example/a.html", kNormal);
  cache.AddEntry("Cookie:a@one.example/", kCookie);
  cache.AddEntry("http://one.example/b.gif", kNormal | kSticky);
  cache.AddEntry("http://one.example/c.css", kNormal);

  cleaner.PurgeCacheEntries(kNormal, 90, 90);

  EXPECT_THAT(view.events, ElementsAre("category.pos 333", "overall.pos 119",  //
                                       "category.pos 666", "overall.pos 149",  //
                                       "category.pos 1000", "overall.pos 180",  //
                                       "category.pos 1000"));
  EXPECT_THAT(cache.Urls(), ElementsAre("Cookie:a@one.example/"));
}

TEST_F(CacheCleanerTest, AnEntryLargerThanTheBufferGrowsItAndIsHandledOnce) {
  LogDrains();
  cache.AddEntry("Cookie:a@one.example/", kCookie, 300);
  cache.AddEntry("Cookie:long@two.example/", kCookie, 5000);
  cache.AddEntry("Cookie:c@three.example/", kCookie, 200);

  cleaner.PurgeCacheEntries(kCookie, 0, 1000);

  const std::vector<std::string> counting = {
      "first 0x00100001 4096", "drain", "next 300",  // too small: 5000 needed
      "drain", "next 5000", "drain", "next 5000", "drain", "next 200", "close"};
  std::vector<std::string> expected = counting;
  expected.insert(expected.end(), {"first 0x00100001 4096", "delete Cookie:a@one.example/",
                                   "drain", "next 300", "drain", "next 5000",
                                   "delete Cookie:long@two.example/", "drain", "next 5000",
                                   "delete Cookie:c@three.example/", "drain", "next 200", "close"});
  EXPECT_THAT(cache.calls, ElementsAreArray(expected));
  EXPECT_THAT(view.Events("category.pos"),
              ElementsAre("category.pos 333", "category.pos 666", "category.pos 1000"));
  EXPECT_THAT(cache.Urls(), IsEmpty());
  EXPECT_THAT(cache.faults, IsEmpty());
}

TEST_F(CacheCleanerTest, AFirstEntryLargerThanTheFirstBufferIsAskedForAgainWithRoomForIt) {
  cache.AddEntry("Cookie:long@one.example/", kCookie, 5000);
  cache.AddEntry("Cookie:b@two.example/", kCookie);

  EXPECT_EQ(cleaner.CountCacheEntries(kCookie), 2);
  EXPECT_THAT(cache.calls, ElementsAre("first 0x00100001 4096", "first 0x00100001 5000",
                                       "next 5000", "next 300", "close"));
  cleaner.PurgeCacheEntries(kCookie, 0, 90);

  EXPECT_THAT(view.Events("category.pos"), ElementsAre("category.pos 500", "category.pos 1000"));
  EXPECT_THAT(cache.Urls(), IsEmpty());
  EXPECT_THAT(cache.faults, IsEmpty());
}

TEST_F(CacheCleanerTest, AFirstEntryThatAsksForNoMoreRoomKeepsTheEnumerationFromStarting) {
  cache.understatesNeededSize = true;
  cache.AddEntry("Cookie:long@one.example/", kCookie, 5000);

  EXPECT_EQ(cleaner.CountCacheEntries(kCookie), 0);
  EXPECT_THAT(cache.calls, ElementsAre("first 0x00100001 4096"));
}

class EmptyCacheTest : public CacheCleanerTest,
                       public ::testing::WithParamInterface<std::uint32_t> {};

TEST_P(EmptyCacheTest, CountsNothingAndLeavesTheBarsWhereTheRunPutThem) {
  EXPECT_EQ(cleaner.CountCacheEntries(GetParam()), 0);
  cleaner.PurgeCacheEntries(GetParam(), 270, 90);
  EXPECT_THAT(view.events, IsEmpty());
  EXPECT_EQ(pump.drains, 0);
  EXPECT_THAT(cache.calls, ElementsAre(::testing::StartsWith("first"),
                                       ::testing::StartsWith("first"),
                                       ::testing::StartsWith("first")));
}

INSTANTIATE_TEST_SUITE_P(Kinds, EmptyCacheTest, ::testing::Values(kCookie, kHistory, kNormal));

TEST_F(CacheCleanerTest, NoMatchingEntryTakesOneAsTheExpectedCountAndMovesNothing) {
  cache.AddEntry("http://one.example/a.html", kNormal);  // found by the filter, not a cookie

  cleaner.PurgeCacheEntries(kCookie, 0, 90);

  EXPECT_THAT(view.events, IsEmpty());
  EXPECT_EQ(cache.Urls().size(), 1u);
}

TEST_F(CacheCleanerTest, AnEntryThatCannotBeDeletedIsPassedOverAndStillMovesTheBars) {
  cache.AddEntry("Cookie:a@one.example/", kCookie);
  cache.AddEntry("Cookie:b@two.example/", kCookie);
  cache.LockEntry("Cookie:a@one.example/");

  cleaner.PurgeCacheEntries(kCookie, 0, 100);

  EXPECT_THAT(view.events, ElementsAre("category.pos 500", "overall.pos 50",  //
                                       "category.pos 1000", "overall.pos 100"));
  EXPECT_THAT(cache.Urls(), ElementsAre("Cookie:a@one.example/"));
}

TEST_F(CacheCleanerTest, MoreEntriesThanCountedTakeTheUpperBarPast1000) {
  cache.AddEntry("Cookie:a@one.example/", kCookie);
  cache.AddEntry("Cookie:b@two.example/", kCookie);
  // The third drain is the first one of the purge's own pass.
  pump.onDrain = [this] {
    if (pump.drains == 3) cache.AddEntry("Cookie:late@three.example/", kCookie);
  };

  cleaner.PurgeCacheEntries(kCookie, 0, 100);

  EXPECT_THAT(view.Events("category.pos"),
              ElementsAre("category.pos 500", "category.pos 1000", "category.pos 1500"));
  EXPECT_THAT(cache.Urls(), IsEmpty());
}

TEST_F(CacheCleanerTest, ACacheThatAsksForNoMoreRoomEndsTheEnumerationInsteadOfSpinning) {
  cache.understatesNeededSize = true;
  cache.AddEntry("Cookie:a@one.example/", kCookie, 300);
  cache.AddEntry("Cookie:long@two.example/", kCookie, 5000);
  cache.AddEntry("Cookie:c@three.example/", kCookie, 300);

  EXPECT_EQ(cleaner.CountCacheEntries(kCookie), 1);
  EXPECT_THAT(cache.calls, ElementsAre("first 0x00100001 4096", "next 300", "close"));
}

TEST_F(CacheCleanerTest, MessagesAreDispatchedBeforeEveryFindNext) {
  LogDrains();
  cache.AddEntry("Cookie:a@one.example/", kCookie);
  cache.AddEntry("Cookie:b@two.example/", kCookie);

  EXPECT_EQ(cleaner.CountCacheEntries(kCookie), 2);

  EXPECT_THAT(cache.calls, ElementsAre("first 0x00100001 4096", "drain", "next 300", "drain",
                                       "next 300", "close"));
}

}  // namespace
}  // namespace vantrel
