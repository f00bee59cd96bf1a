// The guard on the real system of the Wine prefix: a canary in every folder
// the guard protects, and cleaning runs that name those folders in every
// spelling Windows accepts, as a user entry and as the temp folder.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/cleaning_run.h"
#include "engine/folder_purge_win32.h"
#include "event_progress_view.h"
#include "platform/win32/environment_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_pump_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/running_programs_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/text_converter_win32.h"
#include "platform/win32/url_cache_win32.h"
#include "settings/archive.h"
#include "settings/setup_data.h"
#include "program_driving.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kCanary[] = "vantrel_canary.txt";
constexpr char kWindowsMessage[] =
    "message 경고: 경로가 윈도우 폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n"
    "해당 삭제 설정을 해제합니다.";
constexpr char kImportantMessage[] =
    "message 경고: 경로가 윈도우 중요 폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n"
    "해당 삭제 설정을 해제합니다.";

std::string ShellFolder(int csidl) {
  char buffer[MAX_PATH] = {};
  return SHGetSpecialFolderPathA(nullptr, buffer, csidl, FALSE) ? buffer : "";
}

std::string WindowsFolder() {
  char buffer[MAX_PATH] = {};
  GetWindowsDirectoryA(buffer, MAX_PATH);
  return buffer;
}

std::string SystemFolder() {
  char buffer[MAX_PATH] = {};
  GetSystemDirectoryA(buffer, MAX_PATH);
  return buffer;
}

// Every folder the guard protects on this system, without trailing backslash.
std::vector<std::string> ProtectedFolders() {
  std::vector<std::string> folders = {WindowsFolder(), SystemFolder()};
  for (const int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_STARTMENU,
                          CSIDL_COMMON_STARTMENU, CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS,
                          CSIDL_PROFILE, CSIDL_PERSONAL, CSIDL_PROGRAM_FILES,
                          CSIDL_PROGRAM_FILESX86}) {
    const std::string folder = ShellFolder(csidl);
    if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(folder);
    }
  }
  return folders;
}

std::string LastName(const std::string& folder) { return folder.substr(folder.rfind('\\') + 1); }

std::string Lower(std::string text) {
  CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// The ways Windows lets a user name folder.
std::vector<std::string> Spellings(const std::string& folder) {
  std::string slashed = folder;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  std::vector<std::string> spellings = {
      folder,
      Lower(folder),
      slashed,
      folder + "\\.",
      folder + ".",
      folder + " ",
      folder + "\\\\",
      folder.substr(0, 2) + "\\\\" + folder.substr(3),
      folder + "\\..\\" + LastName(folder),
      folder + "\\.\\..\\" + LastName(folder) + ". ",
      "\\\\?\\" + folder,
      "\\\\.\\" + folder,
      "\\??\\" + folder,
  };
  char shortPath[MAX_PATH] = {};
  const DWORD length = GetShortPathNameA(folder.c_str(), shortPath, MAX_PATH);
  if (length > 0 && length < MAX_PATH && folder != shortPath) spellings.push_back(shortPath);
  return spellings;
}

class PathGuardWineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const std::string& folder : ProtectedFolders()) {
      MakeFolder(folder);
      WriteBytes(folder + "\\" + kCanary, "canary");
    }
  }
  static void TearDownTestSuite() {
    for (const std::string& folder : ProtectedFolders()) {
      DeleteFileA((folder + "\\" + kCanary).c_str());
    }
  }
  void TearDown() override { SetCurrentDirectoryA(scratch_.c_str()); }

  static void ExpectCanariesAlive() {
    for (const std::string& folder : ProtectedFolders()) {
      EXPECT_EQ(ReadBytes(folder + "\\" + kCanary), "canary") << folder;
    }
    EXPECT_EQ(ReadBytes("S:\\canary.txt"), "canary");
    EXPECT_EQ(ReadBytes("S:\\x\\canary.txt"), "canary");
    EXPECT_TRUE(FileExists(ScratchFolder() + "path_guard_test.exe"));
  }

  // One run with only the user entry naming dir; the messages it showed.
  std::vector<std::string> RunOnDirectory(const std::string& dir) {
    SetupData settings;
    SwitchAllOff(settings);
    UserEntry entry;
    entry.name = "guard";
    entry.includeSubfolders = true;
    entry.dirs = {"Dir:" + dir};
    settings.AddEntry(entry);
    return Run(settings);
  }

  std::vector<std::string> Run(SetupData& settings) {
    EventProgressView view;
    CleaningRun run(CleaningRun::Ports{files_, pump_, cache_, registry_, shell_, environment_,
                                       programs_},
                    view,
                    RunningSystemFolders());
    run.RunCleaning(&settings);
    std::vector<std::string> messages;
    for (const std::string& event : view.events) {
      if (event.rfind("message ", 0) == 0) messages.push_back(event);
    }
    return messages;
  }

  static void SwitchAllOff(SetupData& settings) {
    for (bool* flag : {&settings.cleanCache, &settings.cleanCookie, &settings.cleanHistory,
                       &settings.cleanTypedUrl, &settings.cleanTemp, &settings.cleanRecent,
                       &settings.cleanRecycleBin, &settings.cleanIndexEntry,
                       &settings.cleanMediaPlayer, &settings.cleanRealPlayer,
                       &settings.cleanRealOne}) {
      *flag = false;
    }
  }

  std::string scratch_ = ScratchFolder();
  Win32FileSystem files_;
  Win32MessagePump pump_;
  Win32UrlCache cache_;
  Win32Registry registry_;
  Win32Shell shell_;
  Win32Environment environment_;
  Win32RunningPrograms programs_;
};

TEST_F(PathGuardWineTest, NoSpellingOfAProtectedFolderReachesItsCanary) {
  const std::string windows = Lower(WindowsFolder());
  for (const std::string& folder : ProtectedFolders()) {
    for (const std::string& spelling : Spellings(folder)) {
      const std::vector<std::string> messages = RunOnDirectory(spelling);
      if (Lower(folder) == windows) {
        // The Windows folder itself counts no files: passed over silently.
        EXPECT_TRUE(messages.empty()) << spelling;
      } else {
        EXPECT_EQ(messages, std::vector<std::string>{kImportantMessage}) << spelling;
      }
    }
    ExpectCanariesAlive();
  }
}

TEST_F(PathGuardWineTest, RelativeAndDriveRootSpellingsReachNothing) {
  ASSERT_TRUE(SetCurrentDirectoryA(WindowsFolder().c_str()));
  EXPECT_EQ(RunOnDirectory("system32"), std::vector<std::string>{kImportantMessage});
  EXPECT_EQ(RunOnDirectory("system32."), std::vector<std::string>{kImportantMessage});
  EXPECT_TRUE(RunOnDirectory(".").empty());
  EXPECT_TRUE(RunOnDirectory("..\\windows").empty());
  ASSERT_TRUE(SetCurrentDirectoryA(scratch_.c_str()));
  for (const char* root : {"S:\\.", "S:\\x\\..", "S:\\\\\\", "S:/", "\\\\?\\S:\\", "S:\\x\\.\\..",
                           "B:\\.", "C:\\windows\\..", "C:\\users\\..\\.", "\\\\?\\C:\\"}) {
    EXPECT_TRUE(RunOnDirectory(root).empty()) << root;
  }
  ExpectCanariesAlive();
}

// desk_alias and profile_alias are links to the desktop and the profile,
// made by path_guard_test.fixture.sh.
TEST_F(PathGuardWineTest, AProtectedFolderReachedThroughALinkIsRefused) {
  for (const char* alias : {"desk_alias", "profile_alias", "profile_alias\\Desktop"}) {
    EXPECT_EQ(RunOnDirectory(scratch_ + alias), std::vector<std::string>{kImportantMessage}) << alias;
  }
  ExpectCanariesAlive();
}

TEST_F(PathGuardWineTest, ATempFolderPointingAtAProtectedFolderIsSwitchedOff) {
  const std::string windows = Lower(WindowsFolder());
  for (const std::string& folder : ProtectedFolders()) {
    SetupData settings;
    SwitchAllOff(settings);
    settings.cleanTemp = true;
    settings.tempFolder = folder + "\\.\\";
    const std::vector<std::string> messages = Run(settings);
    if (Lower(folder) == windows) {
      EXPECT_TRUE(messages.empty());
      EXPECT_TRUE(settings.cleanTemp);
    } else {
      EXPECT_EQ(messages, std::vector<std::string>{kImportantMessage}) << folder;
      EXPECT_FALSE(settings.cleanTemp) << folder;
    }
  }
  ExpectCanariesAlive();
}

TEST_F(PathGuardWineTest, AFolderBelowAProtectedOneIsCleaned) {
  const std::string scratch = ShellFolder(CSIDL_PERSONAL) + "\\vantrel_scratch";
  WriteBytes(MakeFolder(scratch) + "a.txt", "a");
  WriteBytes(MakeFolder(scratch + "\\sub") + "b.txt", "b");
  EXPECT_TRUE(RunOnDirectory(scratch + "\\sub\\..").empty());
  EXPECT_FALSE(FileExists(scratch + "\\a.txt"));
  EXPECT_FALSE(FileExists(scratch + "\\sub"));
  EXPECT_TRUE(FileExists(scratch));
  RemoveDirectoryA(scratch.c_str());
  ExpectCanariesAlive();
}

TEST_F(PathGuardWineTest, TheShellNamesTheImportantFolders) {
  std::vector<std::string> named = shell_.ImportantFolders();
  for (const std::string& folder : ProtectedFolders()) {
    EXPECT_NE(std::find(named.begin(), named.end(), folder), named.end()) << folder;
  }
}

// The folders the guard adds to the shell's list, and the adapters' view of
// the system: the drive roots, the profiles, and on 64-bit Windows the real
// system folder, which a 32-bit program knows only with redirection off.
TEST_F(PathGuardWineTest, TheAdaptersNameProfilesRootsAndBothViews) {
  const std::vector<std::string> named = shell_.ImportantFolders();
  for (const int csidl : {CSIDL_APPDATA, CSIDL_LOCAL_APPDATA, CSIDL_COMMON_APPDATA}) {
    const std::string folder = ShellFolder(csidl);
    ASSERT_FALSE(folder.empty()) << csidl;
    EXPECT_NE(std::find(named.begin(), named.end(), folder), named.end()) << folder;
  }
  EXPECT_NE(std::find(named.begin(), named.end(), ShellFolder(CSIDL_LOCAL_APPDATA) + "Low"),
            named.end());
  EXPECT_EQ(Lower(shell_.ProfilesFolder()), "c:\\users");

  const std::vector<std::string> roots = files_.DriveRoots();
  EXPECT_NE(std::find(roots.begin(), roots.end(), "C:\\"), roots.end());
  EXPECT_NE(files_.FolderIdentity("C:\\"), "");

  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  const std::string system = SystemFolder();
  const std::string sysnative = WindowsFolder() + "\\Sysnative";
  if (wow64) {
    EXPECT_NE(files_.FolderIdentity(system), files_.NativeFolderIdentity(system));
    if (GetFileAttributesA(sysnative.c_str()) != INVALID_FILE_ATTRIBUTES) {
      EXPECT_EQ(files_.FolderIdentity(sysnative), files_.NativeFolderIdentity(system));
    }
    EXPECT_EQ(files_.FolderIdentity(WindowsFolder() + "\\SysWOW64"), files_.FolderIdentity(system));
  } else {
    EXPECT_EQ(files_.FolderIdentity(system), files_.NativeFolderIdentity(system));
  }
  // The redirection is back on afterwards.
  EXPECT_EQ(files_.FolderIdentity(system), files_.FolderIdentity(system + "\\."));
}

std::string WindowText(HWND window) {
  char buffer[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  return std::string(buffer, copied);
}

class QuietBoxes : public MessageBoxes {
 public:
  int Show(const std::string&, const std::string&, unsigned) override { return mb::kIdOk; }
};

// The real Qorv.exe as a user meets it: TEMP names the system folder (in a
// spelling of its own) and a user entry names the desktop.
TEST_F(PathGuardWineTest, TheRealProgramRefusesThemAndSavesTheTempSwitchOff) {
  const std::string folder = MakeFolder(scratch_ + "qorv");
  ASSERT_TRUE(CopyFileA(BuiltProgram("Qorv.exe").c_str(), (folder + "Qorv.exe").c_str(), FALSE));
  SetupData stored;
  SwitchAllOff(stored);
  stored.cleanTemp = true;
  UserEntry entry;
  entry.name = "desktop";
  entry.includeSubfolders = true;
  entry.dirs = {"Dir:" + ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\."};
  stored.AddEntry(entry);
  ArchiveWriter writer;
  stored.Store(writer);
  WriteBytes(folder + "SetupData.Sav", writer.Bytes());

  const std::string temp = SystemFolder() + "\\.\\";
  ASSERT_TRUE(SetEnvironmentVariableA("TEMP", temp.c_str()));
  ASSERT_TRUE(SetEnvironmentVariableA("TMP", temp.c_str()));
  RunningProgram qorv(folder + "Qorv.exe", "", folder);
  SetEnvironmentVariableA("TEMP", nullptr);
  SetEnvironmentVariableA("TMP", nullptr);
  ASSERT_TRUE(qorv.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        main = FindTestWindow(nullptr, "Vantrel V.ZEL");
        return main != nullptr && IsWindowVisible(main) && !IsIconic(main);
      },
      30000));
  PostMessageA(GetDlgItem(main, 1068), BM_CLICK, 0, 0);

  std::vector<std::string> warnings;
  HWND progress = nullptr;
  const bool ended = WaitUntil(
      [&] {
        HWND box = FindTestWindow("#32770", "경고");
        if (box != nullptr) {
          progress = GetWindow(box, GW_OWNER);
          warnings.push_back(WindowText(GetDlgItem(box, 0xFFFF)));
          PostMessageA(box, WM_COMMAND, IDOK, 0);
          WaitUntil([&] { return !IsWindow(box); }, 5000);
        }
        return progress != nullptr && WindowText(GetDlgItem(progress, 1043)) == "청소 끝.";
      },
      120000);
  EXPECT_TRUE(ended);
  const std::string important = std::string(kImportantMessage).substr(std::string("message 경고: ").size());
  EXPECT_EQ(warnings, (std::vector<std::string>{important, important}));

  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(qorv.WaitForExit(20000));
  Win32TextConverter converter;
  QuietBoxes boxes;
  // The reader keeps a reference to the bytes, which must outlive it.
  const std::string bytes = ReadBytes(folder + "SetupData.Sav");
  ArchiveReader reader(bytes, converter);
  SetupData saved;
  saved.Load(reader, boxes);
  EXPECT_FALSE(saved.cleanTemp) << "the refused temp folder switched its category off";
  ASSERT_EQ(saved.userEntries.size(), 1u);
  EXPECT_EQ(saved.userEntries[0]->dirs, entry.dirs) << "a refused entry stays in the list";
  ExpectCanariesAlive();
}

}  // namespace
}  // namespace vantrel
