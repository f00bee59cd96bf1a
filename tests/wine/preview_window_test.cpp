// The real Qorv.exe's preview window on a seeded prefix: the same steps and
// numbers as "VantrelCli preview", nothing changed by counting, a header
// click that sorts by size and back, "청소" that removes exactly what was
// counted; and on 20,000 files, "취소" and "닫기" that answer at once, a
// second "미리 보기" that only brings the window forward, and none during a run.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <vector>

#include "console_program.h"
#include "engine/preview_count.h"
#include "engine/preview_table.h"
#include "engine/special_folders.h"
#include "platform/win32/shell_win32.h"
#include "program_driving.h"
#include "remote_controls.h"
#include "resource.h"
#include "settings/setup_data.h"
#include "system_seeding.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kTitle[] = "Vantrel V.ZEL";
constexpr char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr char kUserKey[] = "Software\\VantrelPreviewTest\\Recent";
constexpr char kKeptKey[] = "Software\\VantrelPreviewTest\\Recent\\Child";
constexpr DWORD kAtOnceMs = 500;

std::int64_t NumberIn(const std::string& text, std::size_t& at) {
  while (at < text.size() && !std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
  std::int64_t number = 0;
  for (; at < text.size() && (std::isdigit(static_cast<unsigned char>(text[at])) || text[at] == ','); ++at) {
    if (text[at] != ',') number = number * 10 + (text[at] - '0');
  }
  return number;
}

// A step as either side describes it: counts by label ("파일", "쿠키 항목",
// "휴지통"...) and, from the console, the bytes in brackets.
struct Described {
  std::map<std::string, std::int64_t> counts;
  std::uint64_t bytes = 0;
  bool sized = false;
};

Described Describe(const std::string& text) {
  Described described;
  if (text == "없음") return described;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(", ", start);
    if (end == std::string::npos) end = text.size();
    const std::string part = text.substr(start, end - start);
    std::size_t digit = 0;
    while (digit < part.size() && !std::isdigit(static_cast<unsigned char>(part[digit]))) ++digit;
    const std::string label = part.substr(0, digit == part.size() ? digit : digit - 1);
    std::size_t at = digit;
    described.counts[label] = digit == part.size() ? -1 : NumberIn(part, at);
    const std::size_t bracket = part.find('(');
    if (bracket != std::string::npos) {
      at = bracket;
      described.bytes += static_cast<std::uint64_t>(NumberIn(part, at));
      described.sized = true;
    }
    start = end + 2;
  }
  return described;
}

struct ConsoleStep {
  std::string name;
  Described described;
  std::vector<std::string> keys;  // "HKEY_...: 값 2개"
};

std::vector<ConsoleStep> ConsoleSteps(const std::string& output) {
  std::vector<ConsoleStep> steps;
  for (const std::string& line : OutputLines(output)) {
    if (line.rfind("[", 0) == 0) {
      const std::size_t name = line.find("] ") + 2;
      const std::size_t colon = line.find(": ", name);
      steps.push_back(ConsoleStep{line.substr(name, colon - name), Describe(line.substr(colon + 2)), {}});
    } else if (line.rfind("    ", 0) == 0 && !steps.empty() && line.find(": 값 ") != std::string::npos) {
      steps.back().keys.push_back(line.substr(4));
    }
  }
  return steps;
}

struct Row {
  std::string step, what, size;
};

std::vector<Row> WindowRows(HWND list) {
  std::vector<Row> rows;
  const int count = ListViewCount(list);
  for (int i = 0; i < count; ++i) {
    rows.push_back(Row{ListViewItemText(list, i, 0), ListViewItemText(list, i, 2), ListViewItemText(list, i, 1)});
  }
  return rows;
}

std::vector<std::string> StepNames(const std::vector<Row>& rows) {
  std::vector<std::string> names;
  for (const Row& row : rows) {
    if (!row.step.empty()) names.push_back(row.step);
  }
  return names;
}

// The number after label in the console's totals ("  지울 파일: 7개, 1,234 바이트").
std::int64_t TotalAfter(const std::string& output, const std::string& label, int which = 0) {
  for (const std::string& line : OutputLines(output)) {
    if (line.rfind(label, 0) != 0) continue;
    std::size_t at = label.size();
    std::int64_t number = NumberIn(line, at);
    for (int i = 0; i < which; ++i) number = NumberIn(line, at);
    return number;
  }
  return -1;
}

class PreviewWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeFolder(ScratchFolder() + "preview_" + std::to_string(++runs));
    for (const char* program : {"Qorv.exe", "VantrelCli.exe"}) {
      ASSERT_TRUE(CopyFileA(BuiltProgram(program).c_str(), (folder + program).c_str(), FALSE));
    }
    Win32Shell shell;
    FindSpecialFolders(shell, special);
  }

  void TearDown() override {
    if (main != nullptr && IsWindow(main)) PostMessageA(main, WM_CLOSE, 0, 0);
    if (qorv) {
      EXPECT_TRUE(qorv->WaitForExit(20000)) << "Qorv.exe did not end";
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, kKeptKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kUserKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantrelPreviewTest");
  }

  void WriteSettings(const SetupData& settings) { WriteSettingsFile(folder + "SetupData.Sav", settings); }

  std::vector<std::pair<std::string, bool>> Folders() const { return RunFolders(special); }

  std::string Snapshot() {
    return SystemSnapshot(special, userDir, {kTypedUrls, kUserKey, kKeptKey}, folder + "SetupData.Sav");
  }

  void Seed() {
    for (const auto& [path, recursive] : Folders()) MakeFolder(path);
    WriteBytes(WithSlash(special.cacheFolder) + "preview.htm", "cached page");
    WriteBytes(WithSlash(special.cookieFolder) + "root@preview.txt", "cookie");
    MakeFolder(special.tempFolder + "preview_tmp");
    WriteBytes(special.tempFolder + "preview_tmp\\unpacked.bin", std::string(3000, 't'));
    WriteBytes(special.tempFolder + "preview.tmp", "temp");

    EmptyUrlCache();
    ASSERT_TRUE(SeedCacheEntriesOfEachType("preview.example"));
    SetValue(HKEY_CURRENT_USER, kTypedUrls, "url1");
    SetValue(HKEY_CURRENT_USER, kUserKey, "MRU0");
    SetValue(HKEY_CURRENT_USER, kUserKey, "MRU1");
    SetValue(HKEY_CURRENT_USER, kKeptKey, "stays");
    SendToRecycleBin(ScratchFolder() + "preview_binned.txt");

    userDir = ScratchFolder() + "preview_userdir";
    MakeFolder(userDir + "\\sub");
    WriteBytes(userDir + "\\mine.txt", std::string(2048, 'm'));
    WriteBytes(userDir + "\\sub\\deep.txt", "deep");
    SetupData settings;
    UserEntry entry;
    entry.name = "내 폴더";
    entry.includeSubfolders = true;
    entry.dirs = {"Dir:" + userDir};
    entry.regKeys = {std::string("Reg:HKEY_CURRENT_USER\\") + kUserKey};
    settings.AddEntry(entry);
    WriteSettings(settings);
  }

  // Only a user entry with the fixture's 20,000 files.
  void SettingsForTheLargeTree() {
    SetupData settings;
    for (bool* flag : {&settings.cleanCache, &settings.cleanCookie, &settings.cleanRecent,
                       &settings.cleanHistory, &settings.cleanTemp, &settings.cleanRecycleBin,
                       &settings.cleanIndexEntry, &settings.cleanTypedUrl, &settings.cleanMediaPlayer,
                       &settings.cleanRealPlayer, &settings.cleanRealOne}) {
      *flag = false;
    }
    UserEntry entry;
    entry.name = "큰 폴더";
    entry.includeSubfolders = true;
    entry.dirs = {"Dir:" + ScratchFolder() + "big"};
    settings.AddEntry(entry);
    WriteSettings(settings);
  }

  void StartAndShow() {
    qorv = std::make_unique<RunningProgram>(folder + "Qorv.exe", "", folder);
    ASSERT_TRUE(qorv->Started());
    ASSERT_TRUE(WaitUntil([&] { return (main = qorv->VisibleWindow(kTitle)) != nullptr && StartIsOver(main); },
                          20000))
        << "the main window never came on screen";
  }

  // "미리 보기" from the main window's menu.
  HWND OpenPreview() {
    PostMessageA(main, WM_COMMAND, IDM_PREVIEW, 0);
    HWND preview = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (preview = VisibleOwnedWindowWith(main, IDC_PREVIEW_LIST)) != nullptr; },
                          10000))
        << "the preview window did not show";
    return preview;
  }

  std::string Status(HWND preview) { return TextOfWindow(GetDlgItem(preview, IDC_PREVIEW_STATUS)); }

  void WaitForStatus(HWND preview, const std::string& text, DWORD milliseconds) {
    EXPECT_TRUE(WaitUntil([&] { return Status(preview) == text; }, milliseconds))
        << "waited for \"" << text << "\", the window says \"" << Status(preview) << "\"";
  }

  // The count of the large tree has begun its one step.
  void WaitUntilCounting(HWND preview) {
    ASSERT_TRUE(WaitUntil([&] { return Status(preview).rfind("세는 중... 1/1", 0) == 0; }, 20000))
        << "the count did not begin: " << Status(preview);
  }

  // What the screen shows of the window once everything in it has painted.
  void SaveScreenshot(HWND window, const std::string& file) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(Capture(window).SaveBmp(ScratchFolder() + file));
  }

  // A mouse click on the list's header, down and up through the queue.
  void ClickHeader(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
  }

  static inline int runs = 0;
  std::string folder;
  std::string userDir;
  SetupData special;
  std::unique_ptr<RunningProgram> qorv;
  HWND main = nullptr;
};

TEST_F(PreviewWindowTest, ShowsWhatTheConsolePreviewShowsChangesNothingAndCleanRemovesIt) {
  Seed();
  ASSERT_FALSE(HasFatalFailure());
  const std::string before = Snapshot();
  const ConsoleRun console = RunRedirected(folder + "VantrelCli.exe", "preview", folder,
                                           ScratchFolder() + "preview_console.txt");
  ASSERT_EQ(console.exitCode, 0u) << console.output;
  const std::vector<ConsoleStep> expected = ConsoleSteps(console.output);
  ASSERT_EQ(expected.size(), 13u) << console.output;

  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  HWND preview = OpenPreview();
  ASSERT_NE(preview, nullptr);
  WaitForStatus(preview, OutcomeText(PreviewCount::Outcome::kCounted), 60000);
  EXPECT_EQ(Snapshot(), before) << "counting changed something";

  HWND list = GetDlgItem(preview, IDC_PREVIEW_LIST);
  const std::vector<Row> rows = WindowRows(list);
  std::size_t at = 0;
  std::vector<std::string> runOrder;
  for (const ConsoleStep& step : expected) {
    SCOPED_TRACE(step.name);
    ASSERT_LT(at, rows.size());
    EXPECT_EQ(rows[at].step, step.name);
    Described shown = Describe(rows[at].what);
    Described counted = step.described;
    counted.counts.erase("지울 수 없는 파일");
    counted.counts.erase("거부된 폴더");
    EXPECT_EQ(shown.counts, counted.counts) << rows[at].what;
    EXPECT_EQ(rows[at].size, step.described.sized ? ReadableSize(step.described.bytes) : "");
    std::vector<std::string> keys;
    for (++at; at < rows.size() && rows[at].step.empty(); ++at) {
      if (rows[at].what.find(": 값 ") != std::string::npos) keys.push_back(rows[at].what.substr(2));
    }
    EXPECT_EQ(keys, step.keys);
    runOrder.push_back(step.name);
  }
  EXPECT_EQ(at, rows.size());

  const std::string files = "  지울 파일: ";
  std::string totals = "합계: 파일 " + GroupedNumber(TotalAfter(console.output, files)) + "개 (" +
                       ReadableSize(TotalAfter(console.output, files, 1)) + "), 캐시 항목 " +
                       GroupedNumber(TotalAfter(console.output, "  캐시 항목: ")) + "개, 레지스트리 값 " +
                       GroupedNumber(TotalAfter(console.output, "  레지스트리 값: ")) + "개, 휴지통 " +
                       GroupedNumber(TotalAfter(console.output, "  휴지통: ")) + "개 (" +
                       ReadableSize(TotalAfter(console.output, "  휴지통: ", 1)) + ")";
  const std::string shownTotals = TextOfWindow(GetDlgItem(preview, IDC_PREVIEW_TOTALS));
  EXPECT_EQ(shownTotals.substr(0, shownTotals.find('\n')), totals);

  // A second "미리 보기" leaves the counted window as it is.
  SendMessageA(main, WM_COMMAND, IDM_PREVIEW, 0);
  EXPECT_EQ(VisibleOwnedWindowWith(main, IDC_PREVIEW_LIST), preview);
  EXPECT_EQ(Status(preview), OutcomeText(PreviewCount::Outcome::kCounted));

  // The header sorts by size, largest first, and back.
  std::vector<ConsoleStep> bySize = expected;
  std::stable_sort(bySize.begin(), bySize.end(), [](const ConsoleStep& a, const ConsoleStep& b) {
    return a.described.bytes > b.described.bytes;
  });
  std::vector<std::string> sizeOrder;
  for (const ConsoleStep& step : bySize) sizeOrder.push_back(step.name);
  ASSERT_NE(sizeOrder, runOrder) << "the seed gives no order by size to tell apart";
  ClickHeader(list);
  EXPECT_TRUE(WaitUntil([&] { return StepNames(WindowRows(list)) == sizeOrder; }, 10000))
      << "the header click did not sort by size";
  ClickHeader(list);
  EXPECT_TRUE(WaitUntil([&] { return StepNames(WindowRows(list)) == runOrder; }, 10000))
      << "the second click did not bring back the run order";

  SaveScreenshot(preview, "preview_window.bmp");

  // "청소": the window goes and the main window's run removes what was counted.
  PostMessageA(GetDlgItem(preview, IDC_PREVIEW_CLEAN), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(preview); }, 10000)) << "the preview stayed";
  HWND progress = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (progress = VisibleOwnedWindowWith(main, 1056)) != nullptr; }, 10000))
      << "the progress window did not show";
  ASSERT_TRUE(WaitUntil([&] { return TextOfWindow(GetDlgItem(progress, 1043)) == "청소 끝."; }, 120000))
      << "the run did not finish";
  // Every counted file went; what the folders hold now is the cache's own
  // "index.dat", which WinINet makes anew as soon as the run's later steps
  // read the cache.
  for (const auto& [path, recursive] : Folders()) {
    for (const std::string& line : OutputLines(Count(path, recursive).listing)) {
      const bool folderOrIndex = line.back() == '\\' || line.find("\\index.dat ") != std::string::npos;
      EXPECT_TRUE(folderOrIndex) << "left behind: " << line;
    }
  }
  EXPECT_EQ(Count(userDir, true).files, 0);
  EXPECT_TRUE(CacheEntries().empty());
  EXPECT_TRUE(ValueNames(HKEY_CURRENT_USER, kTypedUrls).empty());
  EXPECT_TRUE(ValueNames(HKEY_CURRENT_USER, kUserKey).empty());
  EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, kKeptKey).size(), 1u) << "a key nobody counted lost its value";
  EXPECT_EQ(RecycleBin().i64NumItems, 0);
}

TEST_F(PreviewWindowTest, StopAndCloseAnswerAtOnceAndNoPreviewStartsDuringARun) {
  const std::string big = ScratchFolder() + "big";
  ASSERT_EQ(Count(big, true).files, 20000) << "the fixture's tree is missing";
  SettingsForTheLargeTree();
  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());

  HWND preview = OpenPreview();
  ASSERT_NE(preview, nullptr);
  WaitUntilCounting(preview);
  ASSERT_FALSE(HasFatalFailure());
  PostMessageA(GetDlgItem(preview, IDC_PREVIEW_STOP), BM_CLICK, 0, 0);
  WaitForStatus(preview, OutcomeText(PreviewCount::Outcome::kStopped), kAtOnceMs);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(preview, IDC_PREVIEW_STOP)));
  // What was counted until then stays on show: the step, with no file yet
  // (files are taken in its second walk; the first only sizes its bar).
  HWND list = GetDlgItem(preview, IDC_PREVIEW_LIST);
  EXPECT_TRUE(WaitUntil([&] { return ListViewCount(list) == 1; }, 10000)) << "the stopped step is not shown";
  EXPECT_EQ(ListViewItemText(list, 0), "큰 폴더");
  SaveScreenshot(preview, "preview_stopped.bmp");

  // Closed while it counts: gone at once; opened again: a fresh count.
  PostMessageA(GetDlgItem(preview, IDC_PREVIEW_DONE), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(preview); }, 10000));
  preview = OpenPreview();
  ASSERT_NE(preview, nullptr);
  WaitUntilCounting(preview);
  ASSERT_FALSE(HasFatalFailure());
  SaveScreenshot(preview, "preview_counting.bmp");
  PostMessageA(GetDlgItem(preview, IDC_PREVIEW_DONE), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(preview); }, kAtOnceMs))
      << "closing did not stop the count at once";
  EXPECT_EQ(Count(big, true).files, 20000) << "counting deleted files";

  // During a run "미리 보기" brings the run's window forward and nothing else.
  PostMessageA(GetDlgItem(main, IDC_MAIN_CLEAN), BM_CLICK, 0, 0);
  HWND progress = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (progress = VisibleOwnedWindowWith(main, 1056)) != nullptr &&
                                     TextOfWindow(GetDlgItem(progress, 1043)) == "큰 폴더"; },
                        20000))
      << "the run did not begin";
  DWORD_PTR answer = 0;
  ASSERT_NE(SendMessageTimeoutA(main, WM_COMMAND, IDM_PREVIEW, 0, SMTO_NORMAL, 20000, &answer), 0)
      << "the main window did not take the command during the run";
  const bool runStillGoing = TextOfWindow(GetDlgItem(progress, 1043)) == "큰 폴더";
  EXPECT_FALSE(IsWindowVisible(preview)) << "a preview opened during the run";
  EXPECT_TRUE(IsWindowVisible(progress));
  ASSERT_TRUE(WaitUntil([&] { return TextOfWindow(GetDlgItem(progress, 1043)) == "청소 끝."; }, 120000))
      << "the run did not finish";
  EXPECT_TRUE(runStillGoing) << "the run had ended before the command came: it proved nothing";
  EXPECT_EQ(Count(big, true).files, 0);
}

}  // namespace
}  // namespace vantrel
