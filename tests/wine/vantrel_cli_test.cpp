// The real VantrelCli.exe, started as a scheduled task starts it (no console
// input, output to a file), on a prefix seeded in every category: a preview
// reports what is there and changes nothing, and clean then removes exactly
// what the preview reported.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <wininet.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "console_program.h"
#include "engine/special_folders.h"
#include "platform/win32/shell_win32.h"
#include "settings/archive.h"
#include "settings/setup_data.h"
#include "system_seeding.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr char kMediaList[] = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
constexpr char kUserKey[] = "Software\\VantrelCliTest\\Recent";
constexpr char kKeptKey[] = "Software\\VantrelCliTest\\Recent\\Child";

// The lines of the steps and their keys and refusals.
std::vector<std::string> StepLines(const std::string& output) {
  std::vector<std::string> steps;
  for (const std::string& line : OutputLines(output)) {
    if (line.rfind("[", 0) == 0 || line.rfind("    ", 0) == 0) steps.push_back(line);
  }
  return steps;
}

std::string StepLine(const std::string& output, const std::string& prefix) {
  for (const std::string& line : OutputLines(output)) {
    if (line.rfind(prefix, 0) == 0) return line;
  }
  return "<no line " + prefix + ">";
}

// The files a step line reports, those it can delete and those it cannot.
int FilesIn(const std::string& stepLine) {
  int files = 0;
  for (const char* label : {": 파일 ", "지울 수 없는 파일 "}) {
    const auto at = stepLine.find(label);
    if (at != std::string::npos) files += std::atoi(stepLine.c_str() + at + std::strlen(label));
  }
  return files;
}

class VantrelCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeFolder(ScratchFolder() + "cli");
    exe = folder + "VantrelCli.exe";
    ASSERT_TRUE(CopyFileA(BuiltProgram("VantrelCli.exe").c_str(), exe.c_str(), FALSE));
    Win32Shell shell;
    FindSpecialFolders(shell, special);
  }

  void TearDown() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, kKeptKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kUserKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantrelCliTest");
  }

  ConsoleRun Run(const std::string& parameters) {
    // A file of its own for each run: the one before may still be closing it.
    return RunRedirected(exe, parameters, folder,
                         ScratchFolder() + "cli_output_" + std::to_string(++runs) + ".txt");
  }

  void WriteSettings(const SetupData& settings) { WriteSettingsFile(folder + "SetupData.Sav", settings); }

  // Everything a run could remove or write.
  std::string Snapshot() {
    return SystemSnapshot(special, userDir, {kTypedUrls, kMediaList, kUserKey, kKeptKey},
                          folder + "SetupData.Sav");
  }

  std::vector<std::pair<std::string, bool>> Folders() const { return RunFolders(special); }

  void Seed() {
    for (const auto& [path, recursive] : Folders()) MakeFolder(path);
    WriteBytes(WithSlash(special.cacheFolder) + "page.htm", "cache");
    MakeFolder(WithSlash(special.cacheFolder) + "CLI12345");
    WriteBytes(WithSlash(special.cacheFolder) + "CLI12345\\image.gif", "gif");
    WriteBytes(WithSlash(special.cookieFolder) + "root@cli.txt", "cookie");
    WriteBytes(WithSlash(special.historyFolder) + "visit.dat", "history");
    MakeFolder(special.tempFolder + "cli_tmp");
    WriteBytes(special.tempFolder + "cli_tmp\\unpacked.bin", "temp");
    WriteBytes(special.tempFolder + "cli.tmp", "temp");
    WriteBytes(WithSlash(special.recentFolder) + "cli.lnk", "recent");

    EmptyUrlCache();
    ASSERT_TRUE(SeedCacheEntriesOfEachType("cli.example"));

    SetValue(HKEY_CURRENT_USER, kTypedUrls, "url1");
    SetValue(HKEY_CURRENT_USER, kTypedUrls, "url2");
    SetValue(HKEY_CURRENT_USER, kMediaList, "File0");
    SetValue(HKEY_CURRENT_USER, kUserKey, "MRU0");
    SetValue(HKEY_CURRENT_USER, kUserKey, "MRU1");
    SetValue(HKEY_CURRENT_USER, kKeptKey, "stays");

    SendToRecycleBin(ScratchFolder() + "cli_binned.txt");

    userDir = ScratchFolder() + "cli_userdir";
    MakeFolder(userDir);
    WriteBytes(userDir + "\\mine.txt", "mine");
    MakeFolder(userDir + "\\sub");
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

  int runs = 0;
  std::string folder;
  std::string exe;
  std::string userDir;
  SetupData special;
};

TEST_F(VantrelCliTest, PreviewReportsWhatIsThereChangesNothingAndCleanRemovesExactlyThat) {
  Seed();
  if (HasFatalFailure()) return;
  const std::string before = Snapshot();
  const SHQUERYRBINFO bin = RecycleBin();
  ASSERT_GT(bin.i64NumItems, 0);
  std::map<std::string, int> filesBefore;
  for (const auto& [path, recursive] : Folders()) filesBefore[path] = Count(path, recursive).files;

  const ConsoleRun preview = Run("preview");
  ASSERT_EQ(preview.exitCode, 0u) << preview.output;
  EXPECT_EQ(Snapshot(), before) << "the preview changed something";
  std::printf("%s", preview.output.c_str());

  EXPECT_EQ(OutputLines(preview.output).front(), "Vantrel 미리 보기: 지우지 않고 셉니다.");
  EXPECT_EQ(FilesIn(StepLine(preview.output, "[1/13] 캐시: ")), filesBefore[special.cacheFolder]);
  EXPECT_EQ(FilesIn(StepLine(preview.output, "[2/13] 쿠키: ")), filesBefore[special.cookieFolder]);
  EXPECT_EQ(FilesIn(StepLine(preview.output, "[3/13] 기록: ")), filesBefore[special.historyFolder]);
  EXPECT_EQ(FilesIn(StepLine(preview.output, "[5/13] 템프: ")), filesBefore[special.tempFolder]);
  EXPECT_EQ(FilesIn(StepLine(preview.output, "[6/13] 문서 리스트: ")), filesBefore[special.recentFolder]);
  EXPECT_NE(StepLine(preview.output, "[2/13]").find("쿠키 항목 1개"), std::string::npos);
  EXPECT_NE(StepLine(preview.output, "[3/13]").find("기록 항목 1개"), std::string::npos);
  // HKEY_USERS\S-1-5-21-0-0-0-1000 is this user's own branch under Wine: one
  // key under two names, whose values the run deletes once.
  EXPECT_EQ(StepLine(preview.output, "[4/13]"), "[4/13] Url 주소: 레지스트리 값 2개");
  EXPECT_EQ(StepLine(preview.output, "[7/13]"),
            "[7/13] 휴지통: 휴지통 " + std::to_string(bin.i64NumItems) + "개 (" +
                std::to_string(bin.i64Size) + " 바이트)");
  EXPECT_EQ(StepLine(preview.output, "[8/13]"), "[8/13] Entry: 캐시 항목 1개");
  EXPECT_EQ(StepLine(preview.output, "[9/13]"), "[9/13] 윈도우 미디어 XP 8.0 주소: 레지스트리 값 1개");
  EXPECT_EQ(StepLine(preview.output, "[12/13]"), "[12/13] 내 폴더: 파일 2개 (8 바이트)");
  EXPECT_EQ(StepLine(preview.output, "[13/13]"), "[13/13] 내 폴더: 레지스트리 값 2개");

  const ConsoleRun clean = Run("clean");
  ASSERT_EQ(clean.exitCode, 0u) << clean.output;
  std::printf("%s", clean.output.c_str());
  EXPECT_EQ(StepLines(clean.output), StepLines(preview.output));
  EXPECT_EQ(OutputLines(clean.output).front(), "Vantrel 청소");

  EXPECT_FALSE(FileExists(WithSlash(special.cacheFolder) + "page.htm"));
  EXPECT_FALSE(FileExists(WithSlash(special.cacheFolder) + "CLI12345"));
  EXPECT_FALSE(FileExists(WithSlash(special.cookieFolder) + "root@cli.txt"));
  EXPECT_FALSE(FileExists(special.tempFolder + "cli_tmp"));
  EXPECT_FALSE(FileExists(WithSlash(special.recentFolder) + "cli.lnk"));
  EXPECT_TRUE(CacheEntries().empty());
  EXPECT_TRUE(ValueNames(HKEY_CURRENT_USER, kTypedUrls).empty());
  EXPECT_TRUE(ValueNames(HKEY_CURRENT_USER, kMediaList).empty());
  EXPECT_TRUE(ValueNames(HKEY_CURRENT_USER, kUserKey).empty());
  EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, kKeptKey).size(), 1u);
  EXPECT_EQ(RecycleBin().i64NumItems, 0);
  EXPECT_FALSE(FileExists(userDir + "\\sub"));
  EXPECT_TRUE(FileExists(userDir));

  // Nothing was refused, so the settings file stays as it was.
  ArchiveWriter defaults;
  SetupData settings;
  UserEntry entry;
  entry.name = "내 폴더";
  entry.includeSubfolders = true;
  entry.dirs = {"Dir:" + userDir};
  entry.regKeys = {std::string("Reg:HKEY_CURRENT_USER\\") + kUserKey};
  settings.AddEntry(entry);
  settings.Store(defaults);
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), defaults.Bytes());
}

// TEMP pointing into the system folder, as a broken set-up leaves it: the
// guard refuses the temp folder in both commands; only clean switches the
// category off, and saves that.
TEST_F(VantrelCliTest, ARefusedTempFolderIsSwitchedOffAndSavedOnlyByClean) {
  char system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryA(system, sizeof system), 0u);
  const std::map<std::string, std::string> systemTemp = {{"TEMP", system}, {"TMP", system}};
  SetupData settings;
  for (bool* flag : {&settings.cleanCache, &settings.cleanCookie, &settings.cleanRecent,
                     &settings.cleanHistory, &settings.cleanRecycleBin, &settings.cleanIndexEntry,
                     &settings.cleanTypedUrl, &settings.cleanMediaPlayer,
                     &settings.cleanRealPlayer, &settings.cleanRealOne}) {
    *flag = false;
  }
  WriteSettings(settings);
  const std::string stored = ReadBytes(folder + "SetupData.Sav");
  const std::string systemFiles = Count(system, false).listing;
  const std::string refusal = std::string("    거부: ") + system + "\\";

  const ConsoleRun preview =
      RunRedirected(exe, "preview", folder, ScratchFolder() + "cli_refused_preview.txt", systemTemp);
  ASSERT_EQ(preview.exitCode, 0u) << preview.output;
  EXPECT_EQ(StepLine(preview.output, "[1/1]"), "[1/1] 템프: 거부된 폴더 1곳") << preview.output;
  EXPECT_NE(preview.output.find(refusal), std::string::npos) << preview.output;
  EXPECT_NE(preview.output.find("(미리 보기: 설정은 그대로 둡니다)"), std::string::npos);
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), stored);

  const ConsoleRun clean =
      RunRedirected(exe, "clean", folder, ScratchFolder() + "cli_refused_clean.txt", systemTemp);
  ASSERT_EQ(clean.exitCode, 0u) << clean.output;
  EXPECT_EQ(StepLines(clean.output), StepLines(preview.output));
  EXPECT_NE(clean.output.find("해당 삭제 설정을 해제합니다."), std::string::npos) << clean.output;
  settings.cleanTemp = false;
  ArchiveWriter switchedOff;
  settings.Store(switchedOff);
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), switchedOff.Bytes());
  EXPECT_EQ(Count(system, false).listing, systemFiles);
}

TEST_F(VantrelCliTest, ExitCodes) {
  WriteBytes(special.tempFolder + "stays.tmp", "stays");

  ConsoleRun help = Run("--help");
  EXPECT_EQ(help.exitCode, 0u);
  EXPECT_EQ(OutputLines(help.output).front(), "사용법: VantrelCli preview | clean | --help");
  EXPECT_EQ(Run("").exitCode, 2u);
  EXPECT_EQ(Run("wipe").exitCode, 2u);

  SetupData nothing;
  for (bool* flag : {&nothing.cleanCache, &nothing.cleanCookie, &nothing.cleanRecent,
                     &nothing.cleanHistory, &nothing.cleanTemp, &nothing.cleanRecycleBin,
                     &nothing.cleanIndexEntry, &nothing.cleanTypedUrl, &nothing.cleanMediaPlayer,
                     &nothing.cleanRealPlayer, &nothing.cleanRealOne}) {
    *flag = false;
  }
  WriteSettings(nothing);
  const ConsoleRun none = Run("clean");
  EXPECT_EQ(none.exitCode, 3u);
  EXPECT_NE(none.output.find("뭘 청소하지...: 뭘 청소할까요??"), std::string::npos) << none.output;

  const std::string damaged = std::string("\x0A\0\0\0\x01\0\0", 7);
  WriteBytes(folder + "SetupData.Sav", damaged);
  const ConsoleRun unreadable = Run("clean");
  EXPECT_EQ(unreadable.exitCode, 4u);
  EXPECT_NE(unreadable.output.find("설정 파일을 읽을 수 없습니다: " + folder + "SetupData.Sav"),
            std::string::npos)
      << unreadable.output;
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), damaged);
  EXPECT_EQ(ReadBytes(special.tempFolder + "stays.tmp"), "stays");
  DeleteFileA((special.tempFolder + "stays.tmp").c_str());
}

}  // namespace
}  // namespace vantrel
