// A whole cleaning run over in-memory ports: the order of the categories, the
// step counter and both bars.
#include <gtest/gtest.h>

#include "engine/cleaning_run.h"
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

using testing::CountingMessagePump;
using testing::FakeEnvironment;
using testing::FakeRunningPrograms;
using testing::FakeShell;
using testing::MemoryFileSystem;
using testing::MemoryRegistry;
using testing::MemoryUrlCache;
using testing::RecordingProgressView;

void SwitchAllOff(SetupData& settings) {
  for (bool* flag : {&settings.cleanCache, &settings.cleanCookie, &settings.cleanRecent,
                     &settings.cleanHistory, &settings.cleanTemp, &settings.cleanRecycleBin,
                     &settings.cleanIndexEntry, &settings.cleanTypedUrl, &settings.cleanMediaPlayer,
                     &settings.cleanRealPlayer, &settings.cleanRealOne}) {
    *flag = false;
  }
}

class CleaningRunTest : public ::testing::Test {
 protected:
  CleaningRunTest() {
    settings.cacheFolder = "C:\\Cache";
    settings.cookieFolder = "C:\\Cookies";
    settings.historyFolder = "C:\\History";
    settings.tempFolder = "C:\\Temp\\";
    settings.recentFolder = "C:\\Recent";
    for (const char* folder : {"C:\\Cache", "C:\\Cookies", "C:\\History", "C:\\Temp", "C:\\Recent"}) {
      files.AddDirectory(folder);
    }
  }

  void Run() { run.RunCleaning(&settings); }

  // The overall bar's position right after each count text, that is, at
  // each step's opening.
  std::vector<int> OverallAtOpenings() const {
    std::vector<int> positions;
    for (std::size_t i = 0; i < view.events.size(); ++i) {
      if (view.events[i].rfind("count ", 0) != 0) continue;
      for (std::size_t j = i + 1; j < view.events.size(); ++j) {
        if (view.events[j].rfind("overall.pos ", 0) == 0) {
          positions.push_back(std::stoi(view.events[j].substr(12)));
          break;
        }
        if (view.events[j].rfind("count ", 0) == 0) break;
      }
    }
    return positions;
  }

  UserEntry* AddEntry(const std::string& name, std::vector<std::string> dirs,
                      std::vector<std::string> keys, bool includeSubfolders = true) {
    UserEntry entry;
    entry.name = name;
    entry.dirs = std::move(dirs);
    entry.regKeys = std::move(keys);
    entry.includeSubfolders = includeSubfolders;
    return settings.AddEntry(entry);
  }

  MemoryFileSystem files;
  CountingMessagePump pump;
  MemoryUrlCache cache;
  MemoryRegistry registry;
  FakeShell shell;
  FakeEnvironment environment;
  FakeRunningPrograms programs;
  RecordingProgressView view;
  SetupData settings;
  CleaningRun run{CleaningRun::Ports{files, pump, cache, registry, shell, environment, programs}, view,
                  SystemFolders{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32"}};
};

TEST_F(CleaningRunTest, NothingSelectedAsksWhatToCleanAndTouchesNothing) {
  SwitchAllOff(settings);
  files.AddFile("C:\\Temp\\a.tmp");
  Run();
  const std::vector<std::string> expected = {"message 뭘 청소하지...: 뭘 청소할까요??"};
  EXPECT_EQ(view.events, expected);
  EXPECT_EQ(view.Shown()[0].style, mb::kOk);
  EXPECT_TRUE(files.HasFile("C:\\Temp\\a.tmp"));
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_EQ(run.settings(), &settings);
}

TEST_F(CleaningRunTest, OnlyTheRecycleBin) {
  SwitchAllOff(settings);
  settings.cleanRecycleBin = true;
  Run();
  const std::vector<std::string> expected = {
      "category.pos 0", "category.range 0 1001", "overall.pos 0", "overall.range 0 1001",
      "count 1/1",      "step 휴지통",             "count 1/1",     "category.pos 0",
      "overall.pos 0",  "category.pos 1000",      "step 청소 끝.", "overall.pos 1000",
      "category.pos 1000",
  };
  EXPECT_EQ(view.events, expected);
  EXPECT_EQ(shell.calls, std::vector<std::string>{"EmptyRecycleBin 7"});
}

TEST_F(CleaningRunTest, AllElevenCategoriesInTheirOrderWithStepsOfNinety) {
  Run();
  EXPECT_EQ(OverallAtOpenings(), (std::vector<int>{0, 90, 180, 270, 360, 450, 540, 630, 720, 810, 900}));
  const std::vector<std::string> labels = {
      "step 캐시", "step 쿠키", "step 기록", "step Url 주소", "step 템프", "step 문서 리스트",
      "step 휴지통", "step Entry", "step 윈도우 미디어 XP 8.0 주소", "step Real 8 Basic 6.0",
      "step Real One Player 6.0", "step 청소 끝."};
  EXPECT_EQ(view.Events("step "), labels);
  std::vector<std::string> counts = {"count 1/11"};
  for (int i = 1; i <= 11; ++i) counts.push_back("count " + std::to_string(i) + "/11");
  EXPECT_EQ(view.Events("count "), counts);
  EXPECT_EQ(view.overallPos(), 1000);
  EXPECT_EQ(view.categoryPos(), 1000);
  EXPECT_EQ(view.events.back(), "category.pos 1000");
}

TEST_F(CleaningRunTest, ThreeStepsJumpFromSixHundredSixtySixToTheEnd) {
  SwitchAllOff(settings);
  settings.cleanTemp = settings.cleanRecent = settings.cleanRecycleBin = true;
  Run();
  EXPECT_EQ(OverallAtOpenings(), (std::vector<int>{0, 333, 666}));
  EXPECT_EQ(view.Events("overall.pos").back(), "overall.pos 1000");
}

TEST_F(CleaningRunTest, MoreThanAThousandStepsLeaveTheOverallBarAtZeroUntilTheEnd) {
  SwitchAllOff(settings);
  std::vector<std::string> dirs(1001, "Dir:C:\\Nowhere");
  AddEntry("many", dirs, {});
  Run();
  const auto positions = view.Events("overall.pos");
  for (std::size_t i = 0; i + 1 < positions.size(); ++i) ASSERT_EQ(positions[i], "overall.pos 0");
  EXPECT_EQ(positions.back(), "overall.pos 1000");
  EXPECT_EQ(view.Events("count ").back(), "count 1001/1001");
}

TEST_F(CleaningRunTest, UserEntriesCleanDirectoriesFirstThenKeys) {
  SwitchAllOff(settings);
  AddEntry("빈 항목", {}, {});
  AddEntry("게임", {"Dir:D:\\Game\\Logs", "Dir:D:\\Game\\Shots"},
           {"Reg:HKEY_CURRENT_USER\\Software\\Game\\Recent"}, false);
  files.AddFile("D:\\Game\\Logs\\1.log");
  files.AddFile("D:\\Game\\Logs\\old\\2.log");
  files.AddFile("D:\\Game\\Shots\\s.png");
  registry.SetValue(RootKey::kCurrentUser, "Software\\Game\\Recent", "file1");
  registry.AddKey(RootKey::kCurrentUser, "Software\\Game\\Recent\\Sub");
  Run();

  EXPECT_EQ(view.Events("step "), (std::vector<std::string>{"step 빈 항목", "step 게임", "step 청소 끝."}));
  EXPECT_EQ(view.Events("count "), (std::vector<std::string>{"count 1/3", "count 1/3", "count 2/3", "count 3/3"}));
  EXPECT_EQ(OverallAtOpenings(), (std::vector<int>{0, 333, 666}));
  EXPECT_FALSE(files.HasFile("D:\\Game\\Logs\\1.log"));
  EXPECT_TRUE(files.HasFile("D:\\Game\\Logs\\old\\2.log")) << "sub-folders only when the entry says so";
  EXPECT_FALSE(files.HasFile("D:\\Game\\Shots\\s.png"));
  EXPECT_TRUE(registry.ValueNames(RootKey::kCurrentUser, "Software\\Game\\Recent").empty());
  EXPECT_TRUE(registry.HasKey(RootKey::kCurrentUser, "Software\\Game\\Recent\\Sub"));

  // Directories first, in their stored order, then the key.
  std::vector<std::string> order;
  for (const auto& call : files.calls) {
    if (call.rfind("Find D:\\Game\\", 0) == 0) order.push_back(call);
  }
  ASSERT_FALSE(order.empty());
  EXPECT_EQ(order.front().rfind("Find D:\\Game\\Logs\\", 0), 0u);
  EXPECT_EQ(order.back().rfind("Find D:\\Game\\Shots\\", 0), 0u);
  EXPECT_EQ(registry.opens.back(), "HKCU\\Software\\Game\\Recent");
}

// The settings window can change the entries while a run dispatches its
// messages; the run goes on with the entries as they were at its start.
TEST_F(CleaningRunTest, EntriesChangedDuringTheRunDoNotChangeIt) {
  SwitchAllOff(settings);
  AddEntry("first", {"Dir:D:\\One"}, {});
  AddEntry("second", {"Dir:D:\\Two"}, {});
  files.AddFile("D:\\One\\1.log");
  files.AddFile("D:\\One\\2.log");
  files.AddFile("D:\\Two\\3.log");
  files.AddFile("D:\\Added\\4.log");
  bool changed = false;
  pump.onDrain = [&] {
    if (changed || settings.userEntries.empty()) return;
    changed = true;
    settings.userEntries.erase(settings.userEntries.begin());
    settings.userEntries[0]->name = "renamed";
    settings.userEntries[0]->dirs.push_back("Dir:D:\\Added");
    AddEntry("third", {"Dir:D:\\Added"}, {"Reg:HKEY_CURRENT_USER\\Software\\X"});
  };
  Run();
  ASSERT_TRUE(changed);
  EXPECT_EQ(view.Events("step "), (std::vector<std::string>{"step first", "step second", "step 청소 끝."}));
  EXPECT_EQ(view.Events("count "), (std::vector<std::string>{"count 1/2", "count 1/2", "count 2/2"}));
  EXPECT_FALSE(files.HasFile("D:\\One\\2.log"));
  EXPECT_FALSE(files.HasFile("D:\\Two\\3.log"));
  EXPECT_TRUE(files.HasFile("D:\\Added\\4.log"));
  EXPECT_TRUE(registry.opens.empty());
  EXPECT_EQ(settings.userEntries.size(), 2u);
}

TEST_F(CleaningRunTest, CookieStepSpendsOneHalfOnEntriesAndOneOnTheFolder) {
  SwitchAllOff(settings);
  settings.cleanCookie = true;
  settings.cleanTemp = true;  // two steps: 500 each, halves of 250
  for (const char* url : {"Cookie:a@x/", "Cookie:b@x/", "Cookie:c@x/", "Cookie:d@x/"}) {
    cache.AddEntry(url, 0x00100000);
  }
  cache.AddEntry("Visited: a@http://x/", 0x00200000);
  files.AddFile("C:\\Cookies\\a.txt");
  files.AddFile("C:\\Cookies\\b.txt");
  Run();

  const auto overall = view.Events("overall.pos");
  // Opening at 0; entries move 0..250; the folder half starts at 250 and
  // moves towards 500; the temp step opens at 500.
  ASSERT_GE(overall.size(), 6u);
  EXPECT_EQ(overall[0], "overall.pos 0");
  EXPECT_NE(std::find(overall.begin(), overall.end(), "overall.pos 250"), overall.end());
  EXPECT_NE(std::find(overall.begin(), overall.end(), "overall.pos 375"), overall.end());
  EXPECT_EQ(OverallAtOpenings(), (std::vector<int>{0, 500}));
  EXPECT_EQ(cache.Urls(), std::vector<std::string>{"Visited: a@http://x/"});
  EXPECT_FALSE(files.HasFile("C:\\Cookies\\a.txt"));
  EXPECT_FALSE(files.HasFile("C:\\Cookies\\b.txt"));
}

TEST_F(CleaningRunTest, ARefusedTempFolderIsSwitchedOffAndTheRunGoesOn) {
  SwitchAllOff(settings);
  settings.cleanTemp = settings.cleanRecycleBin = true;
  settings.tempFolder = "C:\\WINDOWS\\SYSTEM32\\";
  files.AddFile("C:\\WINDOWS\\SYSTEM32\\kernel32.dll");
  Run();
  ASSERT_EQ(view.Shown().size(), 1u);
  EXPECT_EQ(view.Shown()[0].caption, "경고");
  EXPECT_FALSE(settings.cleanTemp);
  EXPECT_TRUE(files.HasFile("C:\\WINDOWS\\SYSTEM32\\kernel32.dll"));
  EXPECT_EQ(view.Events("count ").back(), "count 2/2");
  EXPECT_EQ(shell.calls, (std::vector<std::string>{"ImportantFolders", "ProfilesFolder",
                                                   "SpecialFolderPath 26", "EmptyRecycleBin 7"}));
}

TEST_F(CleaningRunTest, AClickDuringARunDoesNotStartASecondOne) {
  SwitchAllOff(settings);
  settings.cleanTemp = true;
  for (int i = 0; i < 5; ++i) files.AddFile("C:\\Temp\\f" + std::to_string(i));
  int nestedRequests = 0;
  pump.onDrain = [&] {
    if (run.Running()) {
      ++nestedRequests;
      run.RunCleaning(&settings);
    }
  };
  Run();
  EXPECT_GT(nestedRequests, 0);
  EXPECT_EQ(view.Events("count "), (std::vector<std::string>{"count 1/1", "count 1/1"}));
  EXPECT_EQ(view.Events("step 청소 끝.").size(), 1u);
  EXPECT_FALSE(run.Running());

  pump.onDrain = nullptr;
  Run();
  EXPECT_EQ(view.Events("step 청소 끝.").size(), 2u) << "the guard is released after a run";
}

TEST_F(CleaningRunTest, TypedUrlsGoFromTheUserAndTheFixedUsersKey) {
  SwitchAllOff(settings);
  settings.cleanTypedUrl = true;
  const std::string key = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
  registry.SetValue(RootKey::kCurrentUser, key, "url1");
  registry.SetValue(RootKey::kUsers, std::string(kTypedUrlUserSid) + "\\" + key, "url1");
  Run();
  EXPECT_TRUE(registry.ValueNames(RootKey::kCurrentUser, key).empty());
  EXPECT_TRUE(registry.ValueNames(RootKey::kUsers, std::string(kTypedUrlUserSid) + "\\" + key).empty());
}

}  // namespace
}  // namespace vantrel
