// The console program over in-memory ports: what preview and clean report,
// that a preview changes nothing and counts exactly what clean then removes,
// and the exit codes.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/cli_command.h"
#include "cli/cli_program.h"
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
#include "fakes/recording_message_boxes.h"
#include "settings/archive.h"
#include "settings/setup_data.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;

constexpr char kSettingsPath[] = "C:\\Vantrel\\SetupData.Sav";
constexpr char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

class ConsoleProgramTest : public ::testing::Test {
 protected:
  ConsoleProgramTest() {
    MakeSpecialFolders(shell, files);
  }

  int Run(std::vector<std::string> arguments) {
    out = RecordingConsole();
    return RunConsoleProgram(arguments,
                             CliPorts{files, pump, cache, registry, shell, converter, out, probe,
                                      environment, programs, SystemFolders{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32"},
                                      "C:\\Vantrel\\VantrelCli.exe"});
  }

  void WriteSettings(const SetupData& settings) {
    ArchiveWriter archive;
    settings.Store(archive);
    files.AddFile(kSettingsPath, archive.Bytes());
  }

  void ReadSettings(SetupData& settings) {
    IconvTextConverter converter;
    const std::string bytes = files.Contents(kSettingsPath);
    ArchiveReader archive(bytes, converter);
    settings.Load(archive, boxes);
  }

  void Seed() {
    files.AddFile("C:\\Cache\\page.htm", "12345");
    files.AddFile("C:\\Cache\\ABCD\\image.gif", "123");
    files.AddFile("C:\\Cookies\\root@example.txt", "cookie");
    files.AddFile("C:\\History\\visit.dat", "hi");
    files.AddFile("C:\\Temp\\one.tmp", "1234567890");
    files.AddFile("C:\\Recent\\letter.lnk", "l");
    cache.AddEntry("Cookie:root@example.com/", cache::kCookieEntry);
    cache.AddEntry("Visited: root@http://example.com/", cache::kUrlHistoryEntry);
    cache.AddEntry("http://example.com/a.html", cache::kNormalEntry);
    cache.AddEntry("http://example.com/b.html", cache::kNormalEntry);
    registry.SetValue(RootKey::kCurrentUser, kTypedUrls, "url1");
    registry.SetValue(RootKey::kCurrentUser, kTypedUrls, "url2");
    registry.SetValue(RootKey::kCurrentUser, "Software\\Mine\\Recent", "MRU0");
    shell.recycleBin = RecycleBinInfo{true, 2048, 2};
    files.AddFile("D:\\Mine\\a.txt", "aaaa");
    files.AddFile("D:\\Mine\\sub\\b.txt", "bb");
    SetupData settings;
    UserEntry entry;
    entry.name = "내 항목";
    entry.includeSubfolders = true;
    entry.dirs = {"Dir:D:\\Mine"};
    entry.regKeys = {"Reg:HKEY_CURRENT_USER\\Software\\Mine\\Recent"};
    settings.AddEntry(entry);
    WriteSettings(settings);
  }

  // Everything a run could remove or write, as text.
  std::string Snapshot() const {
    return SystemSnapshot(files, cache, registry, {kTypedUrls, "Software\\Mine\\Recent"});
  }

  std::vector<std::string> StepLines() const {
    std::vector<std::string> lines;
    for (const std::string& line : out.Lines()) {
      if (line.rfind("[", 0) == 0 || line.rfind("    ", 0) == 0) lines.push_back(line);
    }
    return lines;
  }

  MemoryFileSystem files;
  CountingMessagePump pump;
  MemoryUrlCache cache;
  MemoryRegistry registry;
  FakeShell shell;
  IconvTextConverter converter;
  RecordingConsole out;
  FakeDeletionProbe probe;
  FakeEnvironment environment;
  FakeRunningPrograms programs;
  RecordingMessageBoxes boxes;
};

TEST_F(ConsoleProgramTest, PreviewReportsEveryStepAndChangesNothing) {
  Seed();
  const std::string before = Snapshot();
  EXPECT_EQ(Run({"preview"}), exit_code::kSuccess);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(std::count(shell.calls.begin(), shell.calls.end(), "EmptyRecycleBin 7"), 0);
  for (const std::string& call : files.calls) {
    EXPECT_NE(call.rfind("Write", 0), 0u) << call;
    EXPECT_NE(call.rfind("Move", 0), 0u) << call;
  }

  const std::vector<std::string> expected = {
      "[1/13] 캐시: 파일 2개 (8 바이트)",
      "[2/13] 쿠키: 파일 1개 (6 바이트), 쿠키 항목 1개",
      "[3/13] 기록: 파일 1개 (2 바이트), 기록 항목 1개",
      "[4/13] Url 주소: 레지스트리 값 2개",
      "    HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs: 값 2개",
      "[5/13] 템프: 파일 1개 (10 바이트)",
      "[6/13] 문서 리스트: 파일 1개 (1 바이트)",
      "[7/13] 휴지통: 휴지통 2개 (2,048 바이트)",
      "[8/13] Entry: 캐시 항목 2개",
      "[9/13] 윈도우 미디어 XP 8.0 주소: 없음",
      "[10/13] Real 8 Basic 6.0: 없음",
      "[11/13] Real One Player 6.0: 없음",
      "[12/13] 내 항목: 파일 2개 (6 바이트)",
      "[13/13] 내 항목: 레지스트리 값 1개",
      "    HKEY_CURRENT_USER\\Software\\Mine\\Recent: 값 1개",
  };
  EXPECT_EQ(StepLines(), expected);
  const std::string totals = out.out.substr(out.out.find("미리 보기 합계"));
  EXPECT_EQ(totals,
            "미리 보기 합계 (아무것도 지우지 않았습니다)\n"
            "  지울 파일: 8개, 33 바이트\n"
            "  지울 수 없는 파일: 0개\n"
            "  캐시 항목: 4개 (쿠키 1개, 기록 1개, 캐시 2개)\n"
            "  레지스트리 값: 3개\n"
            "  휴지통: 2개, 2,048 바이트\n"
            "  거부된 폴더: 0곳\n");
  EXPECT_EQ(out.err, "");
}

TEST_F(ConsoleProgramTest, CleanRemovesExactlyWhatThePreviewCounted) {
  Seed();
  files.AddFile("C:\\Temp\\locked.tmp", "xx");
  files.SetReadOnly("C:\\Temp\\locked.tmp");
  probe.undeletable.insert("C:\\Temp\\locked.tmp");
  ASSERT_EQ(Run({"preview"}), exit_code::kSuccess);
  const std::vector<std::string> previewed = StepLines();

  ASSERT_EQ(Run({"clean"}), exit_code::kSuccess);
  EXPECT_EQ(StepLines(), previewed);
  EXPECT_EQ(out.LinesStartingWith("[5/13]"),
            std::vector<std::string>{"[5/13] 템프: 파일 1개 (10 바이트), 지울 수 없는 파일 1개"});
  EXPECT_NE(out.out.find("청소 합계\n  지운 파일: 8개, 33 바이트\n  지울 수 없는 파일: 1개\n"),
            std::string::npos)
      << out.out;
  EXPECT_EQ(std::count(shell.calls.begin(), shell.calls.end(), "EmptyRecycleBin 7"), 1);
  EXPECT_TRUE(cache.Urls().empty());
  EXPECT_TRUE(registry.ValueNames(RootKey::kCurrentUser, kTypedUrls).empty());
  EXPECT_FALSE(files.HasFile("D:\\Mine\\sub\\b.txt"));
  EXPECT_TRUE(files.HasFile("C:\\Temp\\locked.tmp"));
}

// A value the run may not delete stays and is counted; the others go.
TEST_F(ConsoleProgramTest, AValueThatCannotBeDeletedIsCountedAndTheRestGo) {
  Seed();
  registry.SetValue(RootKey::kCurrentUser, "Software\\Mine\\Recent", "MRU1");
  registry.LockValue(RootKey::kCurrentUser, "Software\\Mine\\Recent", "MRU1");
  registry.SetValue(RootKey::kCurrentUser, "Software\\Mine\\Recent", "MRU2");

  ASSERT_EQ(Run({"clean"}), exit_code::kSuccess);
  EXPECT_EQ(out.LinesStartingWith("[13/13]"),
            std::vector<std::string>{"[13/13] 내 항목: 레지스트리 값 2개, 지울 수 없는 레지스트리 값 1개"});
  EXPECT_NE(out.out.find("  레지스트리 값: 4개\n  지울 수 없는 레지스트리 값: 1개\n"), std::string::npos)
      << out.out;
  EXPECT_EQ(registry.ValueNames(RootKey::kCurrentUser, "Software\\Mine\\Recent"),
            std::vector<std::string>{"MRU1"});
}

// What an earlier step of the run removes, a later step does not meet again;
// the preview counts it once too.
TEST_F(ConsoleProgramTest, PreviewCountsOnceWhatTheRunRemovesOnce) {
  files.AddFile("C:\\Temp\\one.tmp", "1234");
  files.AddFile("C:\\Cookies\\root@example.txt", "cookie");
  cache.AddEntry("Cookie:root@example.com/", cache::kCookieEntry | cache::kNormalEntry);
  cache.SetLocalFile("Cookie:root@example.com/", "C:\\Cookies\\root@example.txt", &files);
  SetupData settings;
  UserEntry entry;
  entry.name = "템프 또";
  entry.dirs = {"Dir:c:\\temp"};
  settings.AddEntry(entry);
  WriteSettings(settings);

  ASSERT_EQ(Run({"preview"}), exit_code::kSuccess);
  const std::vector<std::string> previewed = StepLines();
  EXPECT_EQ(out.LinesStartingWith("[2/12]"),
            std::vector<std::string>{"[2/12] 쿠키: 쿠키 항목 1개"});
  EXPECT_EQ(out.LinesStartingWith("[8/12]"), std::vector<std::string>{"[8/12] Entry: 없음"});
  EXPECT_EQ(out.LinesStartingWith("[12/12]"), std::vector<std::string>{"[12/12] 템프 또: 없음"});

  ASSERT_EQ(Run({"clean"}), exit_code::kSuccess);
  EXPECT_EQ(StepLines(), previewed);
}

// Without a settings file the console program cleans as a first start of
// the window program does: with the caches of the browsers the user has. A
// browser that runs keeps its caches and the output says so once.
TEST_F(ConsoleProgramTest, AFirstStartCleansTheBrowserCachesButNotThoseOfARunningBrowser) {
  environment.Set("LOCALAPPDATA", "C:\\users\\kim\\AppData\\Local");
  const std::string chrome = "C:\\users\\kim\\AppData\\Local\\Google\\Chrome\\User Data\\";
  const std::string edge = "C:\\users\\kim\\AppData\\Local\\Microsoft\\Edge\\User Data\\";
  for (const std::string& root : {chrome, edge}) {
    files.AddFile(root + "Default\\Cache\\Cache_Data\\f_000001", "12345");
    files.AddFile(root + "Profile 1\\Code Cache\\js\\index", "123");
    files.AddFile(root + "Default\\Network\\Cookies", "cookies");
  }
  programs.Start("chrome.exe");

  ASSERT_EQ(Run({"preview"}), exit_code::kSuccess);
  const std::vector<std::string> previewed = StepLines();
  EXPECT_EQ(out.LinesStartingWith("    Chrome"),
            std::vector<std::string>{"    Chrome이 실행 중이라 건너뜁니다"});
  EXPECT_NE(out.out.find("  지울 파일: 2개, 8 바이트\n"), std::string::npos) << out.out;
  EXPECT_NE(out.out.find("  실행 중이라 건너뛴 브라우저: Chrome\n"), std::string::npos) << out.out;
  EXPECT_TRUE(files.HasFile(edge + "Default\\Cache\\Cache_Data\\f_000001"));

  ASSERT_EQ(Run({"clean"}), exit_code::kSuccess);
  EXPECT_EQ(StepLines(), previewed);
  EXPECT_FALSE(files.HasFile(edge + "Default\\Cache\\Cache_Data\\f_000001"));
  EXPECT_FALSE(files.HasFile(edge + "Profile 1\\Code Cache\\js\\index"));
  EXPECT_TRUE(files.HasFile(chrome + "Default\\Cache\\Cache_Data\\f_000001"));
  EXPECT_TRUE(files.HasFile(chrome + "Profile 1\\Code Cache\\js\\index"));
  EXPECT_TRUE(files.HasFile(edge + "Default\\Network\\Cookies"));
  // The entries came for this run only: the console program writes no file
  // of its own accord.
  EXPECT_FALSE(files.HasFile(kSettingsPath));
}

TEST_F(ConsoleProgramTest, ARefusedFolderIsShownAndOnlyCleanSavesTheClearedSwitch) {
  shell.tempFolder = "C:\\WINDOWS\\SYSTEM32\\";
  files.AddFile("C:\\WINDOWS\\SYSTEM32\\kernel32.dll", "mz");
  SetupData settings;
  WriteSettings(settings);
  const std::string stored = files.Contents(kSettingsPath);

  ASSERT_EQ(Run({"preview"}), exit_code::kSuccess);
  EXPECT_EQ(files.Contents(kSettingsPath), stored);
  EXPECT_EQ(out.LinesStartingWith("경고"),
            std::vector<std::string>{"경고: 경로가 윈도우 중요 폴더로 설정되어 있습니다. 더이상 "
                                     "진행할수 없습니다. (미리 보기: 설정은 그대로 둡니다)"});
  EXPECT_EQ(out.LinesStartingWith("[5/11]"),
            std::vector<std::string>{"[5/11] 템프: 거부된 폴더 1곳"});
  EXPECT_EQ(out.LinesStartingWith("    거부"),
            std::vector<std::string>{"    거부: C:\\WINDOWS\\SYSTEM32\\ (보호된 폴더)"});

  ASSERT_EQ(Run({"clean"}), exit_code::kSuccess);
  EXPECT_TRUE(files.HasFile("C:\\WINDOWS\\SYSTEM32\\kernel32.dll"));
  EXPECT_EQ(out.LinesStartingWith("경고"),
            std::vector<std::string>{"경고: 경로가 윈도우 중요 폴더로 설정되어 있습니다. 더이상 "
                                     "진행할수 없습니다. 해당 삭제 설정을 해제합니다."});
  SetupData saved;
  ReadSettings(saved);
  EXPECT_FALSE(saved.cleanTemp);
  EXPECT_TRUE(saved.cleanCache);
}

TEST_F(ConsoleProgramTest, ACleanThatChangesNoSwitchLeavesTheSettingsFileAlone) {
  Run({"clean"});
  EXPECT_FALSE(files.Exists(kSettingsPath));
  SetupData settings;
  WriteSettings(settings);
  files.calls.clear();
  EXPECT_EQ(Run({"clean"}), exit_code::kSuccess);
  for (const std::string& call : files.calls) EXPECT_NE(call.rfind("Write", 0), 0u) << call;
}

TEST_F(ConsoleProgramTest, NothingSelected) {
  SetupData settings;
  for (bool* flag : {&settings.cleanCache, &settings.cleanCookie, &settings.cleanRecent,
                     &settings.cleanHistory, &settings.cleanTemp, &settings.cleanRecycleBin,
                     &settings.cleanIndexEntry, &settings.cleanTypedUrl,
                     &settings.cleanMediaPlayer, &settings.cleanRealPlayer,
                     &settings.cleanRealOne}) {
    *flag = false;
  }
  WriteSettings(settings);
  files.AddFile("C:\\Temp\\one.tmp", "1");
  for (const char* command : {"preview", "clean"}) {
    EXPECT_EQ(Run({command}), exit_code::kNothingSelected) << command;
    EXPECT_NE(out.out.find("뭘 청소하지...: 뭘 청소할까요??\n"), std::string::npos) << out.out;
    EXPECT_TRUE(files.HasFile("C:\\Temp\\one.tmp"));
  }
}

TEST_F(ConsoleProgramTest, ASettingsFileThatCannotBeReadStopsBeforeAnythingAndStaysAsItWas) {
  struct Case {
    const char* name;
    std::string bytes;
    bool failRead;
    const char* message;
  };
  std::string damaged = std::string("\x0A\0\0\0", 4) + std::string(44, '\0') + "\x01";
  std::string otherVersion = std::string("\x09\0\0\0", 4) + std::string(48, '\0');
  const Case cases[] = {
      {"damaged", damaged, false, ""},
      {"other version", otherVersion, false, "ERROR: Save 파일 버젼이 다릅니다.\n"},
      {"unreadable", std::string(52, '\0'), true, ""},
  };
  files.AddFile("C:\\Temp\\one.tmp", "1");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    files.AddFile(kSettingsPath, c.bytes);
    if (c.failRead) files.FailReadsOf(kSettingsPath);
    for (const char* command : {"preview", "clean"}) {
      EXPECT_EQ(Run({command}), exit_code::kSettingsUnreadable);
      EXPECT_EQ(out.out, "");
      EXPECT_EQ(out.err, std::string(c.message) +
                             "설정 파일을 읽을 수 없습니다: C:\\Vantrel\\SetupData.Sav\n");
      EXPECT_EQ(files.Contents(kSettingsPath), c.bytes);
      EXPECT_FALSE(files.Exists(std::string(kSettingsPath) + ".bad"));
      EXPECT_TRUE(files.HasFile("C:\\Temp\\one.tmp"));
    }
  }
}

TEST_F(ConsoleProgramTest, CommandLine) {
  struct Case {
    std::vector<std::string> arguments;
    int code;
  };
  const Case cases[] = {
      {{"--help"}, exit_code::kSuccess}, {{"-h"}, exit_code::kSuccess},
      {{"/?"}, exit_code::kSuccess},     {{}, exit_code::kUsage},
      {{"delete"}, exit_code::kUsage},   {{"preview", "clean"}, exit_code::kUsage},
      {{"--HELP"}, exit_code::kSuccess},
  };
  files.AddFile("C:\\Temp\\one.tmp", "1");
  for (const Case& c : cases) {
    const int code = Run(c.arguments);
    EXPECT_EQ(code, c.code) << ::testing::PrintToString(c.arguments);
    const std::string& help = code == exit_code::kSuccess ? out.out : out.err;
    EXPECT_EQ(help, HelpText());
    EXPECT_TRUE(files.HasFile("C:\\Temp\\one.tmp"));
  }
  EXPECT_EQ(ParseCommand({"PREVIEW"}), CliCommand::kPreview);
  EXPECT_EQ(ParseCommand({"Clean"}), CliCommand::kClean);
}

}  // namespace
}  // namespace vantrel
