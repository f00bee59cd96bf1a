// The preview window's rules: sizes in readable units, the rows of a counted
// run and their order by size and back, the totals; and the count itself
// over in-memory ports: the console's numbers, nothing changed, and a stop
// that ends it before its next item.
#include <gtest/gtest.h>

#include <functional>

#include "cli/cli_program.h"
#include "cli/console_report.h"
#include "engine/preview_count.h"
#include "engine/preview_table.h"
#include "fakes/counting_message_pump.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_running_programs.h"
#include "fakes/fake_shell.h"
#include "fakes/iconv_text_converter.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "fakes/memory_url_cache.h"
#include "fakes/recording_console.h"
#include "fakes/small_system.h"
#include "settings/archive.h"
#include "settings/setup_data.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;

constexpr char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

TEST(PreviewTableTest, ReadableSizes) {
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, "0 B"},
      {1023, "1023 B"},
      {1024, "1.0 KB"},
      {1535, "1.4 KB"},
      {1536, "1.5 KB"},
      {1024 * 1024 - 1, "1,023.9 KB"},
      {1024 * 1024, "1.0 MB"},
      {20 * 1024 * 1024 + 300 * 1024, "20.2 MB"},
      {1024ull * 1024 * 1024 * 3 / 2, "1.5 GB"},
      {1024ull * 1024 * 1024 * 1024 * 2, "2,048.0 GB"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(ReadableSize(bytes), text) << bytes;
}

StepTally Folder(const char* name, std::int64_t files, std::uint64_t bytes) {
  StepTally step{"", name, {}};
  step.tally.files = files;
  step.tally.bytes = bytes;
  return step;
}

std::vector<StepTally> CountedRun() {
  std::vector<StepTally> steps;
  steps.push_back(Folder("캐시", 3, 3000));
  StepTally cookies = Folder("쿠키", 1, 100);
  cookies.tally.cookieEntries = 2;
  steps.push_back(cookies);
  StepTally typed{"", "Url 주소", {}};
  typed.tally.CountValue("HKEY_CURRENT_USER\\Software\\Typed");
  typed.tally.CountValue("HKEY_CURRENT_USER\\Software\\Typed");
  steps.push_back(typed);
  StepTally temp = Folder("템프", 2, 5 * 1024 * 1024);
  temp.tally.filesLeft = 1;
  temp.tally.refusedFolders = {{"C:\\WINDOWS\\SYSTEM32\\", "보호된 폴더"}};
  steps.push_back(temp);
  StepTally bin{"", "휴지통", {}};
  bin.tally.recycleBinVisited = true;
  bin.tally.recycleBinKnown = true;
  bin.tally.recycleBinItems = 4;
  bin.tally.recycleBinBytes = 4096;
  steps.push_back(bin);
  StepTally browsers{"", "브라우저", {}};
  browsers.tally.skippedBrowsers = {"chrome.exe"};
  steps.push_back(browsers);
  steps.push_back(Folder("문서 리스트", 0, 0));
  return steps;
}

TEST(PreviewTableTest, EveryStepInRunOrderWithItsDetailsBelowIt) {
  const PreviewTable table(CountedRun());
  const std::vector<PreviewRow> expected = {
      {"캐시", "파일 3개", "2.9 KB"},
      {"쿠키", "파일 1개, 쿠키 항목 2개", "100 B"},
      {"Url 주소", "레지스트리 값 2개", ""},
      {"", "  HKEY_CURRENT_USER\\Software\\Typed: 값 2개", ""},
      {"템프", "파일 2개", "5.0 MB"},
      {"", "  지울 수 없는 파일 1개", ""},
      {"", "  거부: C:\\WINDOWS\\SYSTEM32\\ (보호된 폴더)", ""},
      {"휴지통", "휴지통 4개", "4.0 KB"},
      {"브라우저", "없음", ""},
      {"", "  건너뜀: chrome.exe (실행 중)", ""},
      {"문서 리스트", "없음", ""},
  };
  EXPECT_EQ(table.Rows(), expected);
}

std::vector<std::string> StepNames(const PreviewTable& table) {
  std::vector<std::string> names;
  for (const PreviewRow& row : table.Rows()) {
    if (!row.step.empty()) names.push_back(row.step);
  }
  return names;
}

TEST(PreviewTableTest, AHeaderClickSortsBySizeAndTheNextGoesBackToRunOrder) {
  PreviewTable table(CountedRun());
  const std::vector<std::string> runOrder = {"캐시", "쿠키", "Url 주소", "템프",
                                             "휴지통", "브라우저", "문서 리스트"};
  EXPECT_EQ(StepNames(table), runOrder);
  table.ToggleOrder();
  EXPECT_EQ(table.order(), PreviewTable::Order::kLargestFirst);
  // Steps of equal size (nothing) keep their run order.
  const std::vector<std::string> bySize = {"템프", "휴지통", "캐시", "쿠키",
                                           "Url 주소", "브라우저", "문서 리스트"};
  EXPECT_EQ(StepNames(table), bySize);
  EXPECT_EQ(table.Rows()[1].what, "  지울 수 없는 파일 1개") << "details go with their step";
  table.ToggleOrder();
  EXPECT_EQ(table.order(), PreviewTable::Order::kRun);
  EXPECT_EQ(StepNames(table), runOrder);
}

TEST(PreviewTableTest, TotalsAddEveryStep) {
  const PreviewTable table(CountedRun());
  EXPECT_EQ(table.Total().files, 6);
  EXPECT_EQ(table.Total().bytes, 3100u + 5 * 1024 * 1024);
  EXPECT_EQ(table.TotalsText(),
            "합계: 파일 6개 (5.0 MB), 캐시 항목 2개, 레지스트리 값 2개, 휴지통 4개 (4.0 KB)\n"
            "남는 것: 지울 수 없는 파일 1개, 거부된 폴더 1곳, 건너뛴 브라우저 1개");
  EXPECT_TRUE(PreviewTable().Empty());
  EXPECT_EQ(PreviewTable().TotalsText(),
            "합계: 파일 0개 (0 B), 캐시 항목 0개, 레지스트리 값 0개\n"
            "남는 것: 지울 수 없는 파일 0개, 거부된 폴더 0곳, 건너뛴 브라우저 0개");
}

// Stops the count from inside it, as the window's thread does, once it has
// looked at so many files; or runs something else at that moment.
class StoppingProbe : public FakeDeletionProbe {
 public:
  bool CanDelete(const std::string& path) override {
    if (++asked == stopAfter) {
      if (count != nullptr) count->Stop();
      if (meanwhile) meanwhile();
    }
    return FakeDeletionProbe::CanDelete(path);
  }
  PreviewCount* count = nullptr;
  std::function<void()> meanwhile;
  int stopAfter = 0;
  int asked = 0;
};

class PreviewCountTest : public ::testing::Test {
 protected:
  PreviewCountTest() {
    MakeSpecialFolders(shell, files);
    files.AddFile("C:\\Cache\\page.htm", "12345");
    files.AddFile("C:\\Cache\\ABCD\\image.gif", "123");
    files.AddFile("C:\\Cookies\\root@example.txt", "cookie");
    files.AddFile("C:\\Temp\\one.tmp", "1234567890");
    files.AddFile("C:\\Temp\\two.tmp", "12");
    files.AddFile("C:\\Recent\\letter.lnk", "l");
    cache.AddEntry("Cookie:root@example.com/", cache::kCookieEntry);
    cache.AddEntry("http://example.com/a.html", cache::kNormalEntry);
    registry.SetValue(RootKey::kCurrentUser, kTypedUrls, "url1");
    registry.SetValue(RootKey::kCurrentUser, "Software\\Mine\\Recent", "MRU0");
    shell.recycleBin = RecycleBinInfo{true, 2048, 2};
    files.AddFile("D:\\Mine\\a.txt", "aaaa");
    UserEntry entry;
    entry.name = "내 항목";
    entry.includeSubfolders = true;
    entry.dirs = {"Dir:D:\\Mine"};
    entry.regKeys = {"Reg:HKEY_CURRENT_USER\\Software\\Mine\\Recent"};
    settings.AddEntry(entry);
    settings.cacheFolder = "C:\\Cache";
    settings.cookieFolder = "C:\\Cookies";
    settings.historyFolder = "C:\\History";
    settings.recentFolder = "C:\\Recent";
    settings.tempFolder = "C:\\Temp\\";
  }

  PreviewCount MakeCount(const SetupData& by) {
    return PreviewCount(PreviewCount::Ports{files, cache, registry, shell, probe, environment, programs},
                        SystemFolders{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32", {}}, by);
  }

  std::string Snapshot() const {
    return SystemSnapshot(files, cache, registry, {kTypedUrls, "Software\\Mine\\Recent"});
  }

  // The step lines of the console's preview on the same ports.
  std::vector<std::string> ConsolePreviewLines() {
    ArchiveWriter archive;
    settings.Store(archive);
    files.AddFile("C:\\Vantrel\\SetupData.Sav", archive.Bytes());
    CountingMessagePump pump;
    IconvTextConverter converter;
    RecordingConsole out;
    RunConsoleProgram({"preview"},
                      CliPorts{files, pump, cache, registry, shell, converter, out, probe, environment, programs,
                               SystemFolders{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32", {}},
                               "C:\\Vantrel\\VantrelCli.exe"});
    std::vector<std::string> lines;
    for (const std::string& line : out.Lines()) {
      if (line.rfind("[", 0) == 0) lines.push_back(line);
    }
    return lines;
  }

  MemoryFileSystem files;
  MemoryUrlCache cache;
  MemoryRegistry registry;
  FakeShell shell;
  StoppingProbe probe;
  FakeEnvironment environment;
  FakeRunningPrograms programs;
  SetupData settings;
};

TEST_F(PreviewCountTest, CountsWhatTheConsolePreviewCountsAndChangesNothing) {
  probe.undeletable = {"C:\\Temp\\two.tmp"};
  const std::string before = Snapshot();
  PreviewCount count = MakeCount(settings);
  EXPECT_EQ(count.Run(), PreviewCount::Outcome::kCounted);
  EXPECT_EQ(Snapshot(), before);

  std::vector<std::string> lines;
  for (const StepTally& step : count.Steps()) {
    lines.push_back("[" + step.count + "] " + step.name + ": " +
                    DescribeRemovals(step.tally, RemovalWording::kWithSizesAndLeftovers));
  }
  EXPECT_EQ(lines, ConsolePreviewLines());
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[4], "[5/13] 템프: 파일 1개 (10 바이트), 지울 수 없는 파일 1개");
  const PreviewCount::Progress last = count.Now();
  EXPECT_EQ(last.step, 13);
  EXPECT_EQ(last.steps, 13);
}

TEST(PreviewProgressTest, TheWholeCountMovesStepByStep) {
  const std::pair<PreviewCount::Progress, int> cases[] = {
      {{0, 0, 0}, 0},  {{1, 4, 0}, 0},      {{1, 4, 500}, 125},
      {{2, 4, 0}, 250}, {{4, 4, 1000}, 1000}, {{4, 4, 1200}, 1000},
  };
  for (const auto& [progress, overall] : cases) {
    EXPECT_EQ(progress.Overall(), overall) << progress.step << "/" << progress.steps;
  }
  EXPECT_EQ(CountingText({0, 0, 0}), "세는 중...");
  EXPECT_EQ(CountingText({3, 11, 500}), "세는 중... 3/11 단계");
}

TEST_F(PreviewCountTest, ARefusedFolderIsCountedAsRefusedAndItsSwitchStaysOn) {
  settings.tempFolder = "C:\\WINDOWS\\SYSTEM32\\";
  files.AddFile("C:\\WINDOWS\\SYSTEM32\\kernel32.dll", "mz");
  PreviewCount count = MakeCount(settings);
  EXPECT_EQ(count.Run(), PreviewCount::Outcome::kCounted);
  EXPECT_TRUE(settings.cleanTemp);
  const RemovalTally& temp = count.Steps().at(4).tally;
  ASSERT_EQ(temp.refusedFolders.size(), 1u);
  EXPECT_EQ(temp.refusedFolders[0].folder, "C:\\WINDOWS\\SYSTEM32\\");
  EXPECT_EQ(temp.refusedFolders[0].reason, "보호된 폴더");
  EXPECT_TRUE(files.HasFile("C:\\WINDOWS\\SYSTEM32\\kernel32.dll"));
}

TEST_F(PreviewCountTest, AFolderTheSystemCannotNameCountsAsEmpty) {
  settings.tempFolder.clear();
  PreviewCount count = MakeCount(settings);
  EXPECT_EQ(count.Run(), PreviewCount::Outcome::kCounted);
  EXPECT_TRUE(count.Steps().at(4).tally.Empty());
  EXPECT_EQ(count.Steps().at(4).name, "템프");
}

TEST_F(PreviewCountTest, AStopEndsTheCountBeforeItsNextFileAndSkipsTheStepsLeft) {
  for (int i = 0; i < 100; ++i) files.AddFile("C:\\Temp\\many" + std::to_string(i) + ".tmp", "x");
  PreviewCount count = MakeCount(settings);
  probe.count = &count;
  probe.stopAfter = 5;  // the cache's two files, the cookie, then two in the temp folder
  EXPECT_EQ(count.Run(), PreviewCount::Outcome::kStopped);
  EXPECT_EQ(probe.asked, 5) << "the count went on after the stop";
  EXPECT_EQ(count.Steps().size(), 5u) << "steps after the stopped one were counted";
}

TEST_F(PreviewCountTest, AFolderThatVanishesWhileCountedCountsWhatWasThere) {
  files.AddFile("C:\\Temp\\sub\\gone.tmp", "gone");
  PreviewCount count = MakeCount(settings);
  probe.stopAfter = 4;  // the first file of the temp folder, before its walk reaches "sub"
  probe.meanwhile = [&] {
    files.Delete("C:\\Temp\\sub\\gone.tmp");
    files.RemoveEmptyFolder("C:\\Temp\\sub");
  };
  EXPECT_EQ(count.Run(), PreviewCount::Outcome::kCounted);
  const RemovalTally& temp = count.Steps().at(4).tally;
  EXPECT_EQ(temp.files, 2);
  EXPECT_EQ(temp.filesLeft, 0);
  EXPECT_TRUE(temp.refusedFolders.empty());
  EXPECT_EQ(count.Steps().size(), 13u) << "the steps after it were not counted";
}

TEST_F(PreviewCountTest, NothingSelectedCountsNothing) {
  SetupData nothing;
  for (bool* flag : {&nothing.cleanCache, &nothing.cleanCookie, &nothing.cleanRecent,
                     &nothing.cleanHistory, &nothing.cleanTemp, &nothing.cleanRecycleBin,
                     &nothing.cleanIndexEntry, &nothing.cleanTypedUrl, &nothing.cleanMediaPlayer,
                     &nothing.cleanRealPlayer, &nothing.cleanRealOne}) {
    *flag = false;
  }
  PreviewCount count = MakeCount(nothing);
  EXPECT_EQ(count.Run(), PreviewCount::Outcome::kNothingSelected);
  EXPECT_TRUE(count.Steps().empty());
}

}  // namespace
}  // namespace vantrel
