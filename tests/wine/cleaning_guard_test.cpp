// The guard of the real programs, as a user meets it: VantrelCli.exe and
// Qorv.exe kept in a second user's Downloads folder, user entries that name
// the profiles, the folders that hold protected ones, a link to the drive
// root, links to the system folders and the program's own folders. Every
// case counts every file of its target before and after, and a registry key
// whose value names are long or outside the code page ends up empty.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "console_program.h"
#include "program_driving.h"
#include "settings/archive.h"
#include "settings/setup_data.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kProtected[] = "보호된 폴더";
constexpr char kHolds[] = "보호된 폴더를 담고 있는 폴더";
constexpr char kRoot[] = "드라이브의 루트";
constexpr char kProgram[] = "프로그램 폴더";
constexpr char kOtherView[] = "32비트 프로그램에는 다른 폴더로 보이는 시스템 폴더";
constexpr char kWarning[] = "경고: 경로가 윈도우 중요 폴더로 설정되어 있습니다.";
constexpr char kImportantText[] =
    "경로가 윈도우 중요 폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n해당 삭제 설정을 해제합니다.";
constexpr char kGuest[] = "C:\\users\\vantrelguest";
constexpr char kKeyParent[] = "Software\\VantrelGuardTest";
constexpr char kKey[] = "Software\\VantrelGuardTest\\Viewer";
constexpr char kSiblingKey[] = "Software\\VantrelGuardTest\\Editor";

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(),
                                         static_cast<int>(wide.size()));
  wide.resize(length > 0 ? length - 1 : 0);
  return wide;
}

// Every file below folder (links are listed, never followed), with its
// size, in the system's own names.
void ListFiles(const std::wstring& folder, std::vector<std::wstring>& files) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + L"\\" + name;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      files.push_back(path + L" " + std::to_wstring(data.nFileSizeLow));
    } else if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      files.push_back(path + L" link");
    } else {
      ListFiles(path, files);
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

// The files of before that after lacks, by path alone (a file written
// again may have changed its size).
std::vector<std::wstring> Missing(const std::vector<std::wstring>& before,
                                  const std::vector<std::wstring>& after) {
  const auto path = [](const std::wstring& file) { return file.substr(0, file.rfind(L' ')); };
  std::vector<std::wstring> missing;
  for (const std::wstring& file : before) {
    if (std::none_of(after.begin(), after.end(), [&](const std::wstring& other) { return path(other) == path(file); })) {
      missing.push_back(path(file));
    }
  }
  return missing;
}

std::vector<std::wstring> FilesBelow(const std::string& folder) {
  std::vector<std::wstring> files;
  std::string trimmed = folder;
  while (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
  ListFiles(Wide(trimmed), files);
  return files;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

std::string ShellFolder(int csidl) {
  char buffer[MAX_PATH] = {};
  return SHGetSpecialFolderPathA(nullptr, buffer, csidl, FALSE) ? buffer : "";
}

bool IsWow64() {
  BOOL wow64 = FALSE;
  using Query = BOOL(WINAPI*)(HANDLE, PBOOL);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
  return query != nullptr && query(GetCurrentProcess(), &wow64) && wow64;
}

// Value names a viewer program leaves: the default value, a path of 105
// characters, Thai (which the Korean code page cannot hold), the longest
// name the registry keeps, and plain ones.
std::vector<std::wstring> AwkwardValueNames() {
  const std::wstring path =
      L"C:\\Program Files\\Acme Imaging\\Raw Importer 2\\bin\\x64\\plugins\\importer\\"
      L"AcmeRawImporter.exe.FriendlyAppName";
  return {L"", path, L"Count", L"\x0E44\x0E1F\x0E25\x0E4C\x0E25\x0E48\x0E32\x0E2A\x0E38\x0E14",
          std::wstring(16383, L'v'), L"File1", L"File2", L"File3"};
}

void SetWideValue(const char* key, const std::wstring& name) {
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, key, &handle), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"),
                           2 * sizeof(wchar_t)),
            ERROR_SUCCESS);
  RegCloseKey(handle);
}

std::vector<std::wstring> ValueNamesOf(const char* key) {
  std::vector<std::wstring> names;
  HKEY handle = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, key, &handle) != ERROR_SUCCESS) return names;
  std::vector<wchar_t> name(16384);
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(name.size());
    if (RegEnumValueW(handle, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name.data(), length);
  }
  RegCloseKey(handle);
  return names;
}

struct Case {
  std::string entry;
  const char* reason;  // nullptr: nothing refused
  bool warns;
};

class CleaningGuardWineTest : public ::testing::Test {
 protected:
  // A second user's profile, with the programs in its Downloads folder.
  static void SetUpTestSuite() {
    const std::string guest = kGuest;
    for (const char* file : {"\\NTUSER.DAT", "\\Documents\\thesis.doc",
                             "\\AppData\\Roaming\\Acme\\settings.ini"}) {
      const std::string path = guest + file;
      MakeFolder(path.substr(0, path.rfind('\\')));
      WriteBytes(path, "guest file");
    }
    const std::string programs = MakeFolder(guest + "\\Downloads\\Vantrel");
    for (const char* program : {"Qorv.exe", "QorvUpDate.exe", "VantrelCli.exe"}) {
      CopyFileA(BuiltProgram(program).c_str(), (programs + program).c_str(), FALSE);
    }
    WriteBytes(programs + "ReadMe.txt", "read me");
  }
  static void TearDownTestSuite() {
    RemoveTree(Wide(kGuest));
    RemoveTree(Wide(ShellFolder(CSIDL_LOCAL_APPDATA) + "\\VantrelGuardCache"));
  }
  void TearDown() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kSiblingKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kKeyParent);
  }

  static std::string ProgramFolder() { return std::string(kGuest) + "\\Downloads\\Vantrel\\"; }

  static void SwitchAllOff(SetupData& settings) {
    for (bool* flag : {&settings.cleanCache, &settings.cleanCookie, &settings.cleanHistory,
                       &settings.cleanTypedUrl, &settings.cleanTemp, &settings.cleanRecent,
                       &settings.cleanRecycleBin, &settings.cleanIndexEntry,
                       &settings.cleanMediaPlayer, &settings.cleanRealPlayer,
                       &settings.cleanRealOne}) {
      *flag = false;
    }
  }

  static void WriteEntries(const std::vector<std::string>& dirs, const std::vector<std::string>& keys) {
    SetupData settings;
    SwitchAllOff(settings);
    UserEntry entry;
    entry.name = "guard";
    entry.includeSubfolders = true;
    for (const std::string& dir : dirs) entry.dirs.push_back("Dir:" + dir);
    for (const std::string& key : keys) entry.regKeys.push_back("Reg:HKEY_CURRENT_USER\\" + key);
    settings.AddEntry(entry);
    ArchiveWriter archive;
    settings.Store(archive);
    WriteBytes(ProgramFolder() + "SetupData.Sav", archive.Bytes());
  }

  ConsoleRun Cli(const char* command) {
    return RunRedirected(ProgramFolder() + "VantrelCli.exe", command, ProgramFolder(),
                         ScratchFolder() + "guard_output_" + std::to_string(++runs_) + ".txt");
  }

  // The preview and the clean of one entry: both name the same refusal, and
  // not one file of the target changes unless the entry may be cleaned.
  void Check(const Case& c) {
    SCOPED_TRACE(c.entry);
    // A folder with no file would be passed over silently, whatever it is.
    const std::string canary = MakeFolder(c.entry) + "vantrel_guard_canary.txt";
    WriteBytes(canary, "canary");
    WriteEntries({c.entry}, {});
    const std::vector<std::wstring> before = FilesBelow(c.entry);
    for (const char* command : {"preview", "clean"}) {
      const ConsoleRun run = Cli(command);
      ASSERT_EQ(run.exitCode, 0u) << run.output;
      const bool refused = run.output.find("    거부: ") != std::string::npos;
      if (c.reason == nullptr) {
        EXPECT_FALSE(refused) << run.output;
      } else {
        EXPECT_NE(run.output.find(std::string(" (") + c.reason + ")"), std::string::npos)
            << command << "\n" << run.output;
      }
      EXPECT_EQ(run.output.find(kWarning) != std::string::npos, c.warns) << command << "\n" << run.output;
    }
    if (c.reason != nullptr) {
      EXPECT_EQ(FilesBelow(c.entry), before);
    }
    DeleteFileA(canary.c_str());
  }

  int runs_ = 0;
};

TEST_F(CleaningGuardWineTest, TheProfilesAndTheFoldersThatHoldProtectedOnesAreRefusedWhole) {
  const std::string profile = ShellFolder(CSIDL_PROFILE);
  const std::string scratch = ScratchFolder();
  for (const Case& c : std::vector<Case>{
           {"C:\\users", kProtected, true},
           {scratch + "userslink", kProtected, true},
           {kGuest, kProtected, true},
           {scratch + "userslink\\vantrelguest", kProtected, true},
           {profile + "\\AppData", kHolds, true},
           {ShellFolder(CSIDL_APPDATA), kProtected, true},
           {ShellFolder(CSIDL_LOCAL_APPDATA), kProtected, true},
           {ShellFolder(CSIDL_APPDATA) + "\\Microsoft\\Windows", kHolds, true},
           {ShellFolder(CSIDL_COMMON_APPDATA), kProtected, true},
           {ShellFolder(CSIDL_COMMON_APPDATA) + "\\Microsoft", kHolds, true},
           {scratch + "rootlink", kRoot, false},
           {scratch + "rootlink\\users", kProtected, true},
       }) {
    Check(c);
  }
}

TEST_F(CleaningGuardWineTest, BelowTheProtectedFoldersEverythingGoes) {
  const std::string cache = ShellFolder(CSIDL_LOCAL_APPDATA) + "\\VantrelGuardCache";
  MakeFolder(cache + "\\Cache_Data");
  WriteBytes(cache + "\\Cache_Data\\f_000001", "cached");
  WriteBytes(cache + "\\index", "index");
  Check({cache, nullptr, false});
  EXPECT_TRUE(FilesBelow(cache).empty());
  EXPECT_TRUE(FileExists(cache));
}

// The programs live in the guest's Downloads folder; cleaning that folder
// takes everything but them, and neither they nor the settings fallback
// folder are ever cleaned themselves.
TEST_F(CleaningGuardWineTest, TheProgramNeverCleansItsOwnFolders) {
  const std::string downloads = std::string(kGuest) + "\\Downloads";
  WriteBytes(downloads + "\\setup.zip", "junk");
  WriteBytes(MakeFolder(downloads + "\\old") + "notes.txt", "junk");
  const std::string fallback = ShellFolder(CSIDL_APPDATA) + "\\Vantrel";
  MakeFolder(fallback);
  WriteBytes(fallback + "\\keep.txt", "keep");

  Check({ProgramFolder(), kProgram, false});
  Check({fallback, kProgram, false});
  WriteEntries({downloads}, {});
  const ConsoleRun clean = Cli("clean");
  ASSERT_EQ(clean.exitCode, 0u);
  EXPECT_NE(clean.output.find("    거부: " + ProgramFolder() + " (" + kProgram + ")"),
            std::string::npos)
      << clean.output;
  EXPECT_EQ(clean.output.find(kWarning), std::string::npos) << clean.output;
  EXPECT_EQ(FilesBelow(downloads), FilesBelow(ProgramFolder()));
  for (const char* file : {"Qorv.exe", "QorvUpDate.exe", "VantrelCli.exe", "ReadMe.txt", "SetupData.Sav"}) {
    EXPECT_TRUE(FileExists(ProgramFolder() + file)) << file;
  }
  EXPECT_EQ(ReadBytes(fallback + "\\keep.txt"), "keep");
  DeleteFileA((fallback + "\\keep.txt").c_str());
  RemoveDirectoryA(fallback.c_str());
}

// A 32-bit program on 64-bit Windows is shown SysWOW64 where system32 is
// named; links lead to the real one. The 64-bit programs meet the same
// links and refuse them too.
TEST_F(CleaningGuardWineTest, LinksToTheSystemFoldersAreRefusedInBothViews) {
  const std::string scratch = ScratchFolder();
  std::vector<Case> cases = {
      {scratch + "s32link", kProtected, true},
      {scratch + "winlink\\system32", kProtected, true},
      {scratch + "winlink\\System32\\.", kProtected, true},
      {scratch + "pflink", kProtected, true},
  };
  // Sysnative is there for 32-bit programs on 64-bit Windows (Wine 8 has
  // none; a folder that is not there holds nothing to clean).
  const DWORD sysnative = GetFileAttributesA("C:\\windows\\Sysnative");
  if (IsWow64() && sysnative != INVALID_FILE_ATTRIBUTES && (sysnative & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    cases.push_back({"C:\\windows\\Sysnative", kProtected, true});
    // Below them the two views part; neither is cleaned.
    cases.push_back({"C:\\windows\\Sysnative\\drivers", kOtherView, true});
    cases.push_back({"C:\\windows\\system32\\drivers", kOtherView, true});
  }
  for (const Case& c : cases) Check(c);
}

TEST_F(CleaningGuardWineTest, EveryValueOfACleanedKeyGoesWhateverItsName) {
  for (const std::wstring& name : AwkwardValueNames()) SetWideValue(kKey, name);
  SetWideValue(kSiblingKey, L"sibling");
  SetWideValue(kKeyParent, L"parent");
  ASSERT_EQ(ValueNamesOf(kKey).size(), AwkwardValueNames().size());
  WriteEntries({}, {kKey});

  const ConsoleRun clean = Cli("clean");
  ASSERT_EQ(clean.exitCode, 0u) << clean.output;
  EXPECT_NE(clean.output.find("레지스트리 값 8개"), std::string::npos) << clean.output;
  EXPECT_TRUE(ValueNamesOf(kKey).empty());
  EXPECT_EQ(ValueNamesOf(kSiblingKey), std::vector<std::wstring>{L"sibling"});
  EXPECT_EQ(ValueNamesOf(kKeyParent), std::vector<std::wstring>{L"parent"});
}

// The window program, from the same folder: one run with every kind of
// entry shows the one warning and takes exactly what may go.
TEST_F(CleaningGuardWineTest, TheWindowProgramDecidesAsTheConsoleDoes) {
  const std::string downloads = std::string(kGuest) + "\\Downloads";
  WriteBytes(downloads + "\\setup2.zip", "junk");
  for (const std::wstring& name : AwkwardValueNames()) SetWideValue(kKey, name);
  SetWideValue(kSiblingKey, L"sibling");
  const std::vector<std::wstring> users = FilesBelow("C:\\users");
  const std::vector<std::wstring> drive = FilesBelow(ScratchFolder() + "rootlink");
  WriteEntries({ScratchFolder() + "rootlink", "C:\\users", downloads}, {kKey});

  RunningProgram qorv(ProgramFolder() + "Qorv.exe", "", ProgramFolder());
  ASSERT_TRUE(qorv.Started());
  HWND main = WaitForVisibleWindow("Vantrel V.ZEL", 30000);
  ASSERT_NE(main, nullptr);
  PostMessageA(GetDlgItem(main, 1068), BM_CLICK, 0, 0);
  std::vector<std::string> warnings;
  HWND progress = nullptr;
  const bool ended = WaitUntil(
      [&] {
        if (HWND box = VisibleMessageBox("경고", main)) {
          progress = GetWindow(box, GW_OWNER);
          warnings.push_back(MessageBoxText(box));
          PressButton(box, IDOK);
          WaitUntil([&] { return !IsWindow(box); }, 5000);
        }
        if (progress == nullptr) progress = VisibleOwnedWindowWith(main, 1095);
        return progress != nullptr && TextOfWindow(GetDlgItem(progress, 1043)) == "청소 끝.";
      },
      120000);
  EXPECT_TRUE(ended) << "waited for the run to end";
  EXPECT_EQ(warnings, std::vector<std::string>{kImportantText});
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(qorv.WaitForExit(20000));

  EXPECT_FALSE(FileExists(downloads + "\\setup2.zip"));
  EXPECT_EQ(FilesBelow(downloads), FilesBelow(ProgramFolder()));
  EXPECT_EQ(FilesBelow(ProgramFolder()).size(), 5u);
  // Of all the profiles, and of the whole drive, only that one file is gone.
  const std::wstring junk = Wide(downloads + "\\setup2.zip");
  EXPECT_EQ(Missing(users, FilesBelow("C:\\users")), std::vector<std::wstring>{junk});
  EXPECT_EQ(Missing(drive, FilesBelow(ScratchFolder() + "rootlink")).size(), 1u);
  EXPECT_TRUE(ValueNamesOf(kKey).empty());
  EXPECT_EQ(ValueNamesOf(kSiblingKey), std::vector<std::wstring>{L"sibling"});
}

}  // namespace
}  // namespace vantrel
