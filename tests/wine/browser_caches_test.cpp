// The real Qorv.exe and VantrelCli.exe over a profile tree with two profiles
// of Chrome, Edge, Whale and Firefox: a first start brings the ready-made
// cache entries, a run empties every cache and leaves every other file byte
// for byte, a running chrome.exe keeps Chrome's caches, the menu command adds
// only what is missing, and a preview counts what the run then deletes. The
// tree lies in this test's scratch folder; the programs find it through
// LOCALAPPDATA and APPDATA, which they inherit from here.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/menu_template.h"
#include "console_program.h"
#include "menu_driving.h"
#include "platform/message_box.h"
#include "platform/win32/environment_win32.h"
#include "platform/win32/running_programs_win32.h"
#include "platform/win32/text_converter_win32.h"
#include "program_driving.h"
#include "resource.h"
#include "settings/archive.h"
#include "settings/setup_data.h"
#include "stored_settings.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kTitle[] = "Vantrel V.ZEL";

const char* const kChromiumRoots[] = {"Google\\Chrome\\User Data\\", "Microsoft\\Edge\\User Data\\",
                                      "Naver\\Naver Whale\\User Data\\"};
const char* const kProfiles[] = {"Default", "Profile 1"};
const char* const kChromiumCaches[] = {"Cache\\Cache_Data\\f_000001", "Cache\\Cache_Data\\index",
                                       "Code Cache\\js\\index", "Code Cache\\wasm\\index",
                                       "GPUCache\\data_1", "DawnWebGPUCache\\data_0",
                                       "Media Cache\\f_000002"};
const char* const kChromiumKeepers[] = {
    "Network\\Cookies", "History", "Login Data", "Bookmarks", "Web Data",
    "Local Storage\\leveldb\\000003.log", "Local Storage\\leveldb\\CURRENT",
    "Service Worker\\CacheStorage\\0a1b\\index", "Service Worker\\ScriptCache\\1_0",
    "IndexedDB\\https_example_0.indexeddb.leveldb\\LOG"};
const char* const kFirefoxProfiles[] = {"abcd1234.default-release", "wxyz5678.work"};
const char* const kFirefoxKeepers[] = {"places.sqlite", "cookies.sqlite", "logins.json", "key4.db"};

struct File {
  std::string path;
  std::string bytes;
};

// A few bytes that tell each file from every other.
std::string BytesOf(const std::string& path) { return "content of " + path + std::string(37, '\x7f'); }

void Put(std::vector<File>& files, const std::string& path) {
  MakeFolder(path.substr(0, path.rfind('\\')));
  WriteBytes(path, BytesOf(path));
  files.push_back(File{path, BytesOf(path)});
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> StepLines(const std::string& output) {
  std::vector<std::string> steps;
  for (const std::string& line : Lines(output)) {
    if (line.rfind("[", 0) == 0 || line.rfind("    ", 0) == 0) steps.push_back(line);
  }
  return steps;
}

void ReadSettings(const std::string& path, SetupData& settings) {
  Win32TextConverter converter;
  const std::string bytes = ReadBytes(path);
  ArchiveReader archive(bytes, converter);
  struct Silent : MessageBoxes {
    int Show(const std::string&, const std::string&, unsigned) override { return 0; }
  } silent;
  settings.Load(archive, silent);
}

std::vector<std::string> EntryNames(const SetupData& settings) {
  std::vector<std::string> names;
  for (const auto& entry : settings.userEntries) names.push_back(entry->name);
  return names;
}

void SwitchAllOff(SetupData& settings) {
  for (bool* flag : {&settings.cleanCache, &settings.cleanCookie, &settings.cleanRecent,
                     &settings.cleanHistory, &settings.cleanTemp, &settings.cleanRecycleBin,
                     &settings.cleanIndexEntry, &settings.cleanTypedUrl, &settings.cleanMediaPlayer,
                     &settings.cleanRealPlayer, &settings.cleanRealOne}) {
    *flag = false;
  }
}

class BrowserCachesWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string run = ScratchFolder() + "run_" + std::to_string(++runs) + "\\";
    folder = MakeFolder(run + "program");
    local = MakeFolder(run + "home\\Local");
    roaming = MakeFolder(run + "home\\Roaming");
    ASSERT_TRUE(SetEnvironmentVariableA("LOCALAPPDATA", local.substr(0, local.size() - 1).c_str()));
    ASSERT_TRUE(SetEnvironmentVariableA("APPDATA", roaming.substr(0, roaming.size() - 1).c_str()));
    RemoveFallbackSettings();
    Seed();
  }

  void TearDown() override {
    if (qorv && window != nullptr && IsWindow(window)) PostMessageA(window, WM_CLOSE, 0, 0);
    if (qorv) qorv->WaitForExit(20000);
  }

  void Seed() {
    for (const char* root : kChromiumRoots) {
      for (const char* profile : kProfiles) {
        for (const char* file : kChromiumCaches) Put(caches, local + root + profile + "\\" + file);
        for (const char* file : kChromiumKeepers) Put(keepers, local + root + profile + "\\" + file);
      }
      Put(caches, local + root + "ShaderCache\\data_0");
      Put(caches, local + root + "GrShaderCache\\data_0");
      Put(keepers, local + root + "Local State");
    }
    for (const char* profile : kFirefoxProfiles) {
      Put(caches, local + "Mozilla\\Firefox\\Profiles\\" + profile + "\\cache2\\entries\\0A1B2C");
      Put(caches, local + "Mozilla\\Firefox\\Profiles\\" + profile + "\\cache2\\index");
      for (const char* file : kFirefoxKeepers) {
        Put(keepers, roaming + "Mozilla\\Firefox\\Profiles\\" + profile + "\\" + file);
      }
    }
    Put(caches, local + "CrashDumps\\game.exe.4242.dmp");
    Put(keepers, local + "Microsoft\\Windows\\WER\\Temp\\keep.txt");
  }

  bool IsChromes(const std::string& path) const {
    return path.rfind(local + "Google\\Chrome\\", 0) == 0;
  }

  void ExpectKeepersUntouched() {
    for (const File& file : keepers) EXPECT_EQ(ReadBytes(file.path), file.bytes) << file.path;
  }

  void StartAndShow() {
    qorv = std::make_unique<RunningProgram>(folder + "Qorv.exe", "", folder);
    ASSERT_TRUE(qorv->Started());
    ASSERT_TRUE(WaitUntil([&] { return (window = FindTestWindow(nullptr, kTitle)) != nullptr && StartIsOver(window); },
                          20000))
        << "the main window never came on screen in the middle";
  }

  void Close() {
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(qorv->WaitForExit(20000)) << "the program did not end";
    qorv.reset();
  }

  void CopyProgram(const char* name) {
    ASSERT_TRUE(CopyFileA(BuiltProgram(name).c_str(), (folder + name).c_str(), FALSE)) << name;
  }

  ConsoleRun Cli(const std::string& command) {
    return RunRedirected(folder + "VantrelCli.exe", command, folder,
                         folder + "output_" + std::to_string(++outputs) + ".txt");
  }

  static inline int runs = 0;
  int outputs = 0;
  std::string folder;
  std::string local;
  std::string roaming;
  std::vector<File> caches;
  std::vector<File> keepers;
  std::unique_ptr<RunningProgram> qorv;
  HWND window = nullptr;
};

TEST_F(BrowserCachesWineTest, AFirstStartBringsTheCacheEntriesAndARunEmptiesThemAndNothingElse) {
  CopyProgram("Qorv.exe");
  ASSERT_NO_FATAL_FAILURE(StartAndShow());
  ASSERT_NO_FATAL_FAILURE(Close());
  SetupData saved;
  ReadSettings(folder + "SetupData.Sav", saved);
  EXPECT_EQ(EntryNames(saved), (std::vector<std::string>{"Chrome 캐시", "Edge 캐시", "Whale 캐시",
                                                         "Firefox 캐시", "Windows 캐시"}));
  ASSERT_FALSE(saved.userEntries.empty());
  EXPECT_EQ(saved.userEntries[0]->dirs[0], "Dir:%LOCALAPPDATA%\\Google\\Chrome\\User Data\\*\\Cache")
      << "stored as written, to be expanded by each run";

  // A second start finds the file and adds nothing, even with an entry gone.
  saved.userEntries.pop_back();
  SwitchAllOff(saved);
  const std::string mine = StoredSettings(saved);
  WriteBytes(folder + "SetupData.Sav", mine);
  ASSERT_NO_FATAL_FAILURE(StartAndShow());
  PostMessageA(GetDlgItem(window, IDC_MAIN_CLEAN), BM_CLICK, 0, 0);
  HWND progress = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (progress = VisibleOwnedWindowWith(window, IDC_PROGRESS_CATEGORY_BAR)) != nullptr; },
                        10000))
      << "no progress window";
  ASSERT_TRUE(WaitUntil([&] { return TextOfWindow(GetDlgItem(progress, IDC_PROGRESS_STEP_LABEL)) == "청소 끝."; },
                        60000))
      << "the run did not end; it shows " << TextOfWindow(GetDlgItem(progress, IDC_PROGRESS_STEP_LABEL));
  EXPECT_EQ(VisibleMessageBox(nullptr, window), nullptr) << "the run asked or warned";
  ASSERT_NO_FATAL_FAILURE(Close());

  for (const File& file : caches) {
    // The Windows entry was deleted by the user, so its crash dump stays.
    const bool windows = file.path.find("CrashDumps") != std::string::npos;
    EXPECT_EQ(FileExists(file.path), windows) << file.path;
  }
  ExpectKeepersUntouched();
  EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), mine);
}

TEST_F(BrowserCachesWineTest, ARunningChromeKeepsItsCachesAndThePreviewCountsWhatCleanDeletes) {
  CopyProgram("VantrelCli.exe");
  const std::string chrome = folder + "chrome.exe";
  ASSERT_TRUE(CopyFileA(TestBuildFile("stand_in_program.exe").c_str(), chrome.c_str(), FALSE));
  RunningProgram browser(chrome, "", folder);
  ASSERT_TRUE(browser.Started());
  HWND browserWindow = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (browserWindow = FindTestWindow(nullptr, "Vantrel stand-in chrome")) != nullptr; },
                        20000));

  // Without a settings file the console program takes the entries a first
  // start would; the preview deletes nothing and writes nothing.
  const ConsoleRun first = Cli("preview");
  ASSERT_EQ(first.exitCode, 0u) << first.output;
  EXPECT_NE(first.output.find("] Firefox 캐시: 파일 4개"), std::string::npos) << first.output;
  EXPECT_FALSE(FileExists(folder + "SetupData.Sav"));
  for (const File& file : caches) EXPECT_TRUE(FileExists(file.path)) << file.path;

  SetupData settings;
  SwitchAllOff(settings);
  WriteBytes(folder + "SetupData.Sav", FirstStartSettingsBytes());
  SetupData ready;
  ReadSettings(folder + "SetupData.Sav", ready);
  for (const auto& entry : ready.userEntries) settings.AddEntry(*entry);
  WriteBytes(folder + "SetupData.Sav", StoredSettings(settings));

  const ConsoleRun preview = Cli("preview");
  ASSERT_EQ(preview.exitCode, 0u) << preview.output;
  const ConsoleRun clean = Cli("clean");
  ASSERT_EQ(clean.exitCode, 0u) << clean.output;
  EXPECT_EQ(StepLines(clean.output), StepLines(preview.output));
  const std::vector<std::string> lines = Lines(clean.output);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "    Chrome이 실행 중이라 건너뜁니다"), 1) << clean.output;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "  실행 중이라 건너뛴 브라우저: Chrome"), 1) << clean.output;

  int deleted = 0;
  for (const File& file : caches) {
    EXPECT_EQ(FileExists(file.path), IsChromes(file.path)) << file.path;
    if (!IsChromes(file.path)) ++deleted;
  }
  EXPECT_NE(clean.output.find("  지운 파일: " + std::to_string(deleted) + "개"), std::string::npos)
      << clean.output;
  ExpectKeepersUntouched();
  PostMessageA(browserWindow, WM_CLOSE, 0, 0);
  EXPECT_TRUE(browser.WaitForExit(20000));
}

TEST_F(BrowserCachesWineTest, TheMenuCommandAddsOnlyTheMissingEntries) {
  CopyProgram("Qorv.exe");
  SetupData settings;
  UserEntry changed;
  changed.name = "Chrome 캐시";
  changed.dirs = {"Dir:C:\\mine"};
  settings.AddEntry(changed);
  UserEntry other;
  other.name = "회사";
  other.dirs = {"Dir:D:\\Work"};
  settings.AddEntry(other);
  WriteBytes(folder + "SetupData.Sav", StoredSettings(settings));
  const auto menu = ProgramMenuTemplate(folder + "Qorv.exe", IDM_MAIN_MENU);
  ASSERT_TRUE(menu && menu->size() == 1) << "the main menu of Qorv.exe";
  const MenuTemplateLevel items = menu->front().items;

  ASSERT_NO_FATAL_FAILURE(StartAndShow());
  for (const char* said : {"캐시 항목 4개를 추가했습니다.\n'설정'에서 보고 고칠 수 있습니다.",
                           "추가할 캐시 항목이 없습니다.\n있어야 할 항목이 모두 이미 있습니다."}) {
    PostMessageA(GetDlgItem(window, IDC_MAIN_MENU), BM_CLICK, 0, 0);
    HWND popup = WaitForPopupMenu(10000);
    ASSERT_NE(popup, nullptr) << "the main window's menu did not open";
    if (std::string(said).rfind("캐시 항목 4개", 0) == 0) {
      PostKey(popup, VK_HOME);
      Sleep(300);
      EXPECT_TRUE(ScreenArea(WindowRectOf(popup)).SaveBmp(ScratchFolder() + "main_menu_with_caches.bmp"));
    }
    ASSERT_TRUE(ChooseFromPopupMenu(items, IDM_ADD_BROWSER_CACHES));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = VisibleMessageBox("브라우저 캐시 추가", window)) != nullptr; }, 10000));
    EXPECT_EQ(MessageBoxText(box), said);
    PressButton(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 10000));
  }
  ASSERT_NO_FATAL_FAILURE(Close());

  SetupData saved;
  ReadSettings(folder + "SetupData.Sav", saved);
  EXPECT_EQ(EntryNames(saved), (std::vector<std::string>{"Chrome 캐시", "회사", "Edge 캐시", "Whale 캐시",
                                                         "Firefox 캐시", "Windows 캐시"}));
  ASSERT_FALSE(saved.userEntries.empty());
  EXPECT_EQ(saved.userEntries[0]->dirs, std::vector<std::string>{"Dir:C:\\mine"});
}

// The two adapters the cleaning run asks: the environment, and the processes
// of the current user by their program file, without letter case.
TEST(BrowserAdaptersWineTest, VariablesAndRunningPrograms) {
  Win32Environment environment;
  std::string value = "untouched";
  ASSERT_TRUE(SetEnvironmentVariableA("VANTREL_SET", "C:\\somewhere"));
  SetEnvironmentVariableA("VANTREL_UNSET", nullptr);
  EXPECT_TRUE(environment.Variable("vantrel_set", value));
  EXPECT_EQ(value, "C:\\somewhere");
  EXPECT_FALSE(environment.Variable("VANTREL_UNSET", value));
  const std::string longValue(3000, 'x');
  ASSERT_TRUE(SetEnvironmentVariableA("VANTREL_LONG", longValue.c_str()));
  EXPECT_TRUE(environment.Variable("VANTREL_LONG", value));
  EXPECT_EQ(value, longValue);

  Win32RunningPrograms programs;
  const std::string folder = MakeFolder(ScratchFolder() + "adapters");
  const std::string whale = folder + "whale.exe";
  ASSERT_TRUE(CopyFileA(TestBuildFile("stand_in_program.exe").c_str(), whale.c_str(), FALSE));
  EXPECT_FALSE(programs.UserRuns("whale.exe"));
  RunningProgram browser(whale, "", folder);
  ASSERT_TRUE(browser.Started());
  HWND browserWindow = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (browserWindow = FindTestWindow(nullptr, "Vantrel stand-in whale")) != nullptr; },
                        20000));
  EXPECT_TRUE(programs.UserRuns("whale.exe"));
  EXPECT_TRUE(programs.UserRuns("WHALE.EXE"));
  EXPECT_FALSE(programs.UserRuns("whale"));
  EXPECT_FALSE(programs.UserRuns("brave.exe"));
  PostMessageA(browserWindow, WM_CLOSE, 0, 0);
  ASSERT_TRUE(browser.WaitForExit(20000));
  EXPECT_FALSE(programs.UserRuns("whale.exe"));
}

}  // namespace
}  // namespace vantrel
