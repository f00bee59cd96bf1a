// The ready-made cache entries over a profile tree with two profiles per
// browser: which entries come, that a run with them empties every cache and
// leaves every other file as it was, that a running browser keeps its
// folders, and what the menu command adds.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "engine/removal_tally.h"
#include "engine/cleaning_run.h"
#include "engine/directory_pattern.h"
#include "engine/known_browsers.h"
#include "engine/ready_made_entries.h"
#include "fakes/counting_message_pump.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_running_programs.h"
#include "fakes/fake_shell.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "fakes/memory_url_cache.h"
#include "fakes/recording_progress_view.h"
#include "settings/setup_data.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;

constexpr char kLocal[] = "C:\\users\\kim\\AppData\\Local\\";
constexpr char kRoaming[] = "C:\\users\\kim\\AppData\\Roaming\\";

const std::map<std::string, std::string> kChromiumUserData = {
    {"Chrome", "Google\\Chrome\\User Data"},
    {"Edge", "Microsoft\\Edge\\User Data"},
    {"Whale", "Naver\\Naver Whale\\User Data"},
    {"Brave", "BraveSoftware\\Brave-Browser\\User Data"},
};

// What a Chromium profile keeps that its user would miss.
const char* const kChromiumKeepers[] = {
    "Network\\Cookies", "History", "Login Data", "Bookmarks", "Web Data", "Preferences",
    "Current Session", "Local Storage\\leveldb\\000003.log", "IndexedDB\\https_x_0\\1.blob",
    "Service Worker\\CacheStorage\\0a1b\\index", "Service Worker\\Database\\000001.log",
    "Extensions\\abc\\1.0\\manifest.json"};
const char* const kChromiumProfileCaches[] = {
    "Cache\\Cache_Data\\f_000001", "Code Cache\\js\\index", "Code Cache\\wasm\\index",
    "Media Cache\\f_000002",       "GPUCache\\data_1",      "DawnWebGPUCache\\data_0",
    "DawnGraphiteCache\\data_0"};
const char* const kChromiumSharedCaches[] = {"ShaderCache\\data_0", "GrShaderCache\\data_0",
                                             "GraphiteDawnCache\\data_0"};
const char* const kFirefoxKeepers[] = {"places.sqlite", "cookies.sqlite", "logins.json",
                                       "key4.db", "sessionstore.jsonlz4"};
constexpr char kFirefoxStore[] = "Packages\\Mozilla.Firefox_n80bbvh6b1yt2\\LocalCache\\";

class BrowserCachesTest : public ::testing::Test {
 protected:
  BrowserCachesTest() {
    environment.Set("LOCALAPPDATA", "C:\\users\\kim\\AppData\\Local");
    environment.Set("APPDATA", "C:\\users\\kim\\AppData\\Roaming");
    environment.Set("USERPROFILE", "C:\\users\\kim");
    SwitchAllOff();
  }

  void SwitchAllOff() {
    for (bool* flag : {&settings.cleanCache, &settings.cleanCookie, &settings.cleanRecent,
                       &settings.cleanHistory, &settings.cleanTemp, &settings.cleanRecycleBin,
                       &settings.cleanIndexEntry, &settings.cleanTypedUrl,
                       &settings.cleanMediaPlayer, &settings.cleanRealPlayer,
                       &settings.cleanRealOne}) {
      *flag = false;
    }
  }

  void Cache(const std::string& path) {
    files.AddFile(path, "cache");
    caches.push_back(path);
  }
  void Keep(const std::string& path) {
    files.AddFile(path, "keep " + path);
    keepers.push_back(path);
  }

  // Two profiles of every browser named, with their caches and what must stay.
  void SeedBrowsers(const std::set<std::string>& browsers) {
    for (const auto& [browser, userData] : kChromiumUserData) {
      if (browsers.count(browser) == 0) continue;
      const std::string root = kLocal + userData + "\\";
      for (const char* profile : {"Default", "Profile 1"}) {
        for (const char* file : kChromiumProfileCaches) Cache(root + profile + "\\" + file);
        for (const char* file : kChromiumKeepers) Keep(root + profile + "\\" + file);
      }
      for (const char* file : kChromiumSharedCaches) Cache(root + file);
      Keep(root + "Local State");
      Keep(root + "Crashpad\\settings.dat");
    }
    if (browsers.count("Firefox") != 0) {
      for (const char* profile : {"abcd1234.default-release", "wxyz5678.work"}) {
        Cache(kLocal + std::string("Mozilla\\Firefox\\Profiles\\") + profile + "\\cache2\\entries\\E1");
        Cache(kLocal + std::string(kFirefoxStore) + "Local\\Mozilla\\Firefox\\Profiles\\" + profile +
              "\\cache2\\doomed\\D1");
        Keep(kLocal + std::string("Mozilla\\Firefox\\Profiles\\") + profile + "\\startupCache\\s.bin");
        for (const char* file : kFirefoxKeepers) {
          Keep(kRoaming + std::string("Mozilla\\Firefox\\Profiles\\") + profile + "\\" + file);
          Keep(kLocal + std::string(kFirefoxStore) + "Roaming\\Mozilla\\Firefox\\Profiles\\" +
               profile + "\\" + file);
        }
      }
    }
    if (browsers.count("Opera") != 0) {
      for (const char* edition : {"Opera Stable", "Opera GX Stable"}) {
        Cache(kLocal + std::string("Opera Software\\") + edition + "\\Cache\\Cache_Data\\f_1");
        Keep(kRoaming + std::string("Opera Software\\") + edition + "\\Network\\Cookies");
        Keep(kRoaming + std::string("Opera Software\\") + edition + "\\History");
      }
    }
  }

  void SeedWindows() {
    Cache(kLocal + std::string("D3DSCache\\5f1e\\shader.idx"));
    Cache(kLocal + std::string("CrashDumps\\app.exe.1234.dmp"));
    Cache(kLocal + std::string("Microsoft\\Windows\\WER\\ReportArchive\\AppCrash_1\\Report.wer"));
    Cache(kLocal + std::string("Microsoft\\Windows\\WER\\ReportQueue\\AppCrash_2\\Report.wer"));
    Keep(kLocal + std::string("Microsoft\\Windows\\WER\\Temp\\keep.txt"));
    Keep(kLocal + std::string("Microsoft\\Windows\\Explorer\\thumbcache_96.db"));
  }

  std::vector<std::string> EntryNames() const {
    std::vector<std::string> names;
    for (const auto& entry : settings.userEntries) names.push_back(entry->name);
    return names;
  }

  void Run() {
    CleaningRun run{CleaningRun::Ports{files, pump, cache, registry, shell, environment, programs},
                    view, SystemFolders{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32"}, sink};
    run.RunCleaning(&settings);
    tally = sink.TakeTally();
  }

  void ExpectKeepersUntouched() {
    for (const std::string& path : keepers) {
      EXPECT_TRUE(files.HasFile(path)) << path;
      if (files.HasFile(path)) {
        EXPECT_EQ(files.Contents(path), "keep " + path);
      }
    }
  }

  MemoryFileSystem files;
  CountingMessagePump pump;
  MemoryUrlCache cache;
  MemoryRegistry registry;
  FakeShell shell;
  FakeEnvironment environment;
  FakeRunningPrograms programs;
  RecordingProgressView view;
  ReportingSink sink;
  RemovalTally tally;
  SetupData settings;
  DirectoryExpansion expansion{environment, files, pump};
  std::vector<std::string> caches;
  std::vector<std::string> keepers;
};

TEST_F(BrowserCachesTest, OneEntryForEachBrowserTheUserHasAndOneForWindows) {
  const std::vector<std::string> all = {"Chrome 캐시",  "Edge 캐시",  "Whale 캐시",  "Firefox 캐시",
                                        "Brave 캐시",   "Opera 캐시", "Windows 캐시"};
  SeedBrowsers({"Chrome", "Edge", "Whale", "Firefox", "Brave", "Opera"});
  SeedWindows();
  std::vector<std::string> names;
  for (const UserEntry& entry : ReadyMadeCacheEntries(expansion)) {
    names.push_back(entry.name);
    EXPECT_TRUE(entry.includeSubfolders) << entry.name;
    EXPECT_TRUE(entry.regKeys.empty()) << entry.name;
    for (const std::string& dir : entry.dirs) {
      EXPECT_EQ(dir.compare(0, 4, "Dir:"), 0) << dir;
      EXPECT_EQ(ShapeOfDirectory(dir.substr(4)), DirectoryShape::kPattern) << dir;
    }
  }
  EXPECT_EQ(names, all);
}

TEST_F(BrowserCachesTest, NoEntryForABrowserWithoutItsDataFolderNorForWindowsWithoutItsVariable) {
  SeedBrowsers({"Whale", "Firefox"});
  std::vector<std::string> names;
  for (const UserEntry& entry : ReadyMadeCacheEntries(expansion)) names.push_back(entry.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Whale 캐시", "Firefox 캐시", "Windows 캐시"}));

  // Windows XP names no local application data in its environment, where
  // every cache lies: Firefox's profiles in %APPDATA% bring no entry that
  // would clean nothing.
  FakeEnvironment xp;
  xp.Set("APPDATA", "C:\\users\\kim\\AppData\\Roaming");
  DirectoryExpansion onXp(xp, files, pump);
  EXPECT_TRUE(ReadyMadeCacheEntries(onXp).empty());
}

TEST_F(BrowserCachesTest, ARunEmptiesEveryCacheAndLeavesEveryOtherFileAsItWas) {
  SeedBrowsers({"Chrome", "Edge", "Whale", "Firefox", "Brave", "Opera"});
  SeedWindows();
  AddMissingCacheEntries(settings, expansion);
  Run();
  for (const std::string& path : caches) EXPECT_FALSE(files.HasFile(path)) << path;
  ExpectKeepersUntouched();
  EXPECT_EQ(tally.files, static_cast<std::int64_t>(caches.size()));
  EXPECT_TRUE(view.Shown().empty());
  // The folders the entries name stay; what they held is gone.
  EXPECT_TRUE(files.HasDirectory(kLocal + std::string("Google\\Chrome\\User Data\\Default\\Cache")));
  EXPECT_FALSE(files.HasDirectory(kLocal + std::string("Google\\Chrome\\User Data\\Default\\Cache\\Cache_Data")));
  // One step for each directory of each entry, as for typed folders.
  EXPECT_EQ(view.Events("count ").back(), "count " + std::to_string(settings.CountUserItems()) + "/" +
                                              std::to_string(settings.CountUserItems()));
}

TEST_F(BrowserCachesTest, ARunningBrowserKeepsItsFoldersAndTheRunGoesOn) {
  SeedBrowsers({"Chrome", "Edge", "Firefox"});
  AddMissingCacheEntries(settings, expansion);
  UserEntry own;
  own.name = "내 크롬 폴더";
  own.dirs = {"Dir:" + std::string(kLocal) + "Google\\Chrome\\User Data\\Default\\Cache",
              "Dir:%APPDATA%\\Mozilla\\Firefox\\Profiles\\*"};
  own.includeSubfolders = true;
  settings.AddEntry(own);
  programs.Start("CHROME.EXE");
  programs.Start("firefox.exe");
  Run();

  const std::string chrome = kLocal + std::string("Google\\Chrome\\");
  const std::string edge = kLocal + std::string("Microsoft\\Edge\\");
  for (const std::string& path : caches) {
    const bool running = path.compare(0, chrome.size(), chrome) == 0 ||
                         path.find("Firefox") != std::string::npos;
    EXPECT_EQ(files.HasFile(path), running) << path;
  }
  ExpectKeepersUntouched();
  EXPECT_EQ(tally.skippedBrowsers, (std::vector<std::string>{"Chrome", "Firefox"}));
  EXPECT_TRUE(view.Shown().empty());
  const std::vector<std::string> notes = view.Events("step Chrome이");
  ASSERT_FALSE(notes.empty());
  EXPECT_EQ(notes[0], "step Chrome이 실행 중이라 건너뜁니다");
  EXPECT_FALSE(view.Events("step Firefox가 실행 중이라 건너뜁니다").empty());
  // Each browser is asked after once, when its first folder comes.
  std::sort(programs.asked.begin(), programs.asked.end());
  EXPECT_EQ(programs.asked, (std::vector<std::string>{"chrome.exe", "firefox.exe", "msedge.exe"}));
  EXPECT_EQ(view.Events("step 청소 끝.").size(), 1u);
}

TEST_F(BrowserCachesTest, AfterASkippedStepTheNextStepOfTheEntryShowsItsNameAgain) {
  SeedBrowsers({"Chrome"});
  UserEntry own;
  own.name = "둘";
  own.dirs = {"Dir:%LOCALAPPDATA%\\Google\\Chrome\\User Data\\*\\Cache", "Dir:C:\\Elsewhere"};
  settings.AddEntry(own);
  programs.Start("chrome.exe");
  Run();
  EXPECT_EQ(view.Events("step "), (std::vector<std::string>{"step 둘", "step Chrome이 실행 중이라 건너뜁니다",
                                                            "step 둘", "step 청소 끝."}));
}

TEST_F(BrowserCachesTest, NoProcessIsLookedAtWhenNoPurgeReachesABrowsersFolder) {
  SeedBrowsers({"Chrome"});
  files.AddFile(kLocal + std::string("Google\\Chrome\\chrome_installer.log"), "log");
  UserEntry own;
  own.name = "temp";
  own.dirs = {"Dir:C:\\Temp2", "Dir:%LOCALAPPDATA%\\Google\\Chrome"};
  settings.AddEntry(own);
  programs.Start("chrome.exe");
  Run();
  EXPECT_TRUE(programs.asked.empty());
  EXPECT_FALSE(files.HasFile(kLocal + std::string("Google\\Chrome\\chrome_installer.log")));
}

// A folder that holds a running browser's data folder is left whole when
// its purge would walk into it.
TEST_F(BrowserCachesTest, AFolderAboveARunningBrowsersDataIsLeftWhenItsPurgeWouldReachIt) {
  SeedBrowsers({"Chrome"});
  const std::string log = kLocal + std::string("Google\\Chrome\\chrome_installer.log");
  files.AddFile(log, "log");
  UserEntry own;
  own.name = "google";
  own.dirs = {"Dir:%LOCALAPPDATA%\\Google"};
  own.includeSubfolders = true;
  settings.AddEntry(own);
  programs.Start("chrome.exe");
  Run();
  for (const std::string& path : caches) EXPECT_TRUE(files.HasFile(path)) << path;
  ExpectKeepersUntouched();
  EXPECT_TRUE(files.HasFile(log));
  EXPECT_EQ(tally.skippedBrowsers, std::vector<std::string>{"Chrome"});
}

TEST_F(BrowserCachesTest, APatternThatReachesAProtectedFolderIsRefusedFolderByFolder) {
  shell.importantFolders = {"C:\\users\\kim\\Desktop", "C:\\users\\lee\\Desktop"};
  files.AddFile("C:\\users\\kim\\Desktop\\letter.doc", "mine");
  files.AddFile("C:\\users\\lee\\Desktop\\photo.jpg", "hers");
  files.AddDirectory("C:\\users\\empty\\Desktop");
  UserEntry own;
  own.name = "desktops";
  own.dirs = {"Dir:C:\\users\\*\\Desktop", "Dir:%APPDATA%\\..\\..\\Desktop"};
  settings.AddEntry(own);
  Run();
  EXPECT_TRUE(files.HasFile("C:\\users\\kim\\Desktop\\letter.doc"));
  EXPECT_TRUE(files.HasFile("C:\\users\\lee\\Desktop\\photo.jpg"));
  // The two desktops that hold files, then the one reached through "..".
  ASSERT_EQ(view.Shown().size(), 3u);
  for (const auto& shown : view.Shown()) EXPECT_EQ(shown.caption, "경고");
  EXPECT_EQ(tally.refusedFolders.size(), 3u);
}

TEST_F(BrowserCachesTest, TheMenuCommandAddsOnlyWhatIsMissingAndChangesNothing) {
  SeedBrowsers({"Chrome", "Edge"});
  SeedWindows();
  UserEntry changed;
  changed.name = "Chrome 캐시";
  changed.dirs = {"Dir:C:\\only\\mine"};
  settings.AddEntry(changed);
  UserEntry other;
  other.name = "회사 폴더";
  other.dirs = {"Dir:D:\\Work"};
  settings.AddEntry(other);

  EXPECT_EQ(AddMissingCacheEntries(settings, expansion), 2);
  EXPECT_EQ(EntryNames(), (std::vector<std::string>{"Chrome 캐시", "회사 폴더", "Edge 캐시", "Windows 캐시"}));
  EXPECT_EQ(settings.userEntries[0]->dirs, std::vector<std::string>{"Dir:C:\\only\\mine"});
  EXPECT_EQ(AddMissingCacheEntries(settings, expansion), 0);
  EXPECT_EQ(settings.userEntries.size(), 4u);

  EXPECT_NE(AddedCacheEntriesText(2).find("2개"), std::string::npos);
  EXPECT_EQ(AddedCacheEntriesText(0).find("0개"), std::string::npos);
}

TEST(RunningBrowserNote, EachBrowserWithItsOwnParticle) {
  EXPECT_EQ(RunningBrowserNote("Chrome"), "Chrome이 실행 중이라 건너뜁니다");
  EXPECT_EQ(RunningBrowserNote("Edge"), "Edge가 실행 중이라 건너뜁니다");
  EXPECT_EQ(RunningBrowserNote("Whale"), "Whale이 실행 중이라 건너뜁니다");
  EXPECT_EQ(RunningBrowserNote("Opera"), "Opera가 실행 중이라 건너뜁니다");
}

}  // namespace
}  // namespace vantrel
