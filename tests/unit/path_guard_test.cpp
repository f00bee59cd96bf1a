// The guard on a whole system laid out as Windows lays it out, with two
// users, the program in a user's Downloads folder, links to the drive root,
// to the profiles and to the system folders, and the two views a 32-bit
// program has on 64-bit Windows. Every case counts every file of the system
// before and after.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>

#include "engine/folder_purge.h"
#include "fakes/counting_message_pump.h"
#include "fakes/memory_file_system.h"
#include "fakes/recording_progress_view.h"
#include "settings/setup_data.h"

namespace vantrel {
namespace {

using testing::CountingMessagePump;
using testing::MemoryFileSystem;
using testing::RecordingProgressView;

const char kRoot[] = "드라이브의 루트";
const char kProtected[] = "보호된 폴더";
const char kHolds[] = "보호된 폴더를 담고 있는 폴더";
const char kOtherView[] = "32비트 프로그램에는 다른 폴더로 보이는 시스템 폴더";
const char kProgram[] = "프로그램 폴더";
const char kImportantMessage[] =
    "경로가 윈도우 중요 폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n해당 삭제 설정을 해제합니다.";

const char* const kFiles[] = {
    "C:\\Windows\\explorer.exe",
    "C:\\Windows\\System32\\kernel32.dll",
    "C:\\Windows\\System32\\drivers\\disk.sys",
    "C:\\Windows\\SysWOW64\\kernel32.dll",
    "C:\\Windows\\SysWOW64\\drivers\\wow.sys",
    "C:\\Windows\\Temp\\setup.log",
    "C:\\Program Files\\Acme\\acme.exe",
    "C:\\Program Files (x86)\\Old\\old.exe",
    "C:\\ProgramData\\Acme\\licence.dat",
    "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Acme.lnk",
    "C:\\Users\\me\\ntuser.dat",
    "C:\\Users\\me\\Desktop\\plan.txt",
    "C:\\Users\\me\\Documents\\letter.doc",
    "C:\\Users\\me\\Documents\\scratch\\draft.txt",
    "C:\\Users\\me\\Downloads\\setup.zip",
    "C:\\Users\\me\\Downloads\\Vantrel\\Qorv.exe",
    "C:\\Users\\me\\Downloads\\Vantrel\\QorvUpDate.exe",
    "C:\\Users\\me\\Downloads\\Vantrel\\VantrelCli.exe",
    "C:\\Users\\me\\Downloads\\Vantrel\\SetupData.Sav",
    "C:\\Users\\me\\AppData\\Roaming\\Acme\\settings.ini",
    "C:\\Users\\me\\AppData\\Roaming\\Vantrel\\SetupData.Sav",
    "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Recent\\letter.lnk",
    "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Mine.lnk",
    "C:\\Users\\me\\AppData\\Local\\Temp\\a.tmp",
    "C:\\Users\\me\\AppData\\Local\\Temp\\sub\\b.tmp",
    "C:\\Users\\me\\AppData\\Local\\Browser\\Cache\\f_0001",
    "C:\\Users\\me\\AppData\\Local\\Browser\\Bookmarks",
    "C:\\Users\\me\\AppData\\LocalLow\\Game\\save.dat",
    "C:\\Users\\other\\ntuser.dat",
    "C:\\Users\\other\\Documents\\thesis.doc",
    "C:\\Users\\Public\\Desktop\\Shared.lnk",
    "C:\\Users\\Public\\Documents\\shared.doc",
    "C:\\data\\own.txt",
    "C:\\data\\sub\\more.txt",
    "D:\\archive\\old.txt",
    "\\\\server\\share\\report.doc",
};

struct Case {
  const char* entry;
  const char* reason;  // of the refusal or pass-over the sink hears of; nullptr: none
  bool warns;          // the important-folder warning is shown
  std::vector<const char*> gone;  // the files the purge deletes
};

void PrintTo(const Case& c, std::ostream* out) {
  for (const char* p = c.entry; *p != '\0'; ++p) *out << (*p == '\\' ? '/' : *p == ' ' ? '_' : *p);
}

class RecordingSink : public RemovalSink {
 public:
  void FolderRefused(const std::string& folder, const std::string& reason) override {
    refused.push_back(folder + " | " + reason);
  }
  std::vector<std::string> refused;
};

class SystemGuardTest : public ::testing::TestWithParam<Case> {
 protected:
  SystemGuardTest() {
    for (const char* file : kFiles) files.AddFile(file);
    files.AddDirectoryLink("C:\\Documents and Settings", "C:\\Users");
    files.AddDirectoryLink("C:\\data\\rootlink", "C:\\");
    files.AddDirectoryLink("C:\\data\\sharelink", "\\\\server\\share");
    files.AddDirectoryLink("C:\\data\\userslink", "C:\\Users");
    files.AddDirectoryLink("C:\\data\\s32link", "C:\\Windows\\System32");
    files.AddDirectoryLink("C:\\data\\winlink", "C:\\Windows");
    files.AddDirectoryLink("C:\\data\\pflink", "C:\\Program Files");
    files.AddDirectoryLink("C:\\Users\\All Users", "C:\\ProgramData");
  }

  // What a 32-bit program is told on 64-bit Windows: Program Files
  // (x86) for both, the 64-bit one from the environment, and system32.
  SystemFolders Folders() const {
    SystemFolders folders{"C:\\Windows", "C:\\Windows\\system32"};
    folders.importantFolders = {
        "C:\\Users\\me\\Desktop",
        "C:\\Users\\Public\\Desktop",
        "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu",
        "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs",
        "C:\\ProgramData\\Microsoft\\Windows\\Start Menu",
        "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs",
        "C:\\Users\\me",
        "C:\\Users\\me\\Documents",
        "C:\\Users\\me\\AppData\\Roaming",
        "C:\\Users\\me\\AppData\\Local",
        "C:\\ProgramData",
        "C:\\Program Files (x86)",
        "C:\\Program Files (x86)",
        "C:\\Windows",
        "C:\\Windows\\system32",
        "C:\\Windows\\SysWOW64",
        "C:\\Program Files",
        "C:\\Users\\me\\AppData\\LocalLow",
        "C:\\Users\\Public",
    };
    folders.profilesFolder = "C:\\Users";
    folders.programFolders = {"C:\\Users\\me\\Downloads\\Vantrel",
                              "C:\\Users\\me\\AppData\\Roaming\\Vantrel"};
    return folders;
  }

  std::set<std::string> Files() const {
    const std::vector<std::string> all = files.AllFiles();
    return std::set<std::string>(all.begin(), all.end());
  }

  // One folder step, as a run takes it.
  void Clean(const std::string& entry) {
    bool guarded = true;
    FolderPurge purge(files, pump, view, settings, Folders(), sink);
    const int expected = purge.CountFolderFiles(entry, true);
    purge.PurgeFolder(&guarded, entry, true, 0, expected, 0, 1000);
    switchLeftOn = guarded;
  }

  void Check(const Case& c) {
    const std::set<std::string> before = Files();
    ASSERT_EQ(before.size(), std::size(kFiles));
    Clean(c.entry);
    std::set<std::string> expected = before;
    for (const char* file : c.gone) EXPECT_EQ(expected.erase(file), 1u) << file;
    EXPECT_EQ(Files(), expected);
    if (c.warns) {
      ASSERT_EQ(view.Shown().size(), 1u);
      EXPECT_EQ(view.Shown()[0].text, kImportantMessage);
      EXPECT_FALSE(switchLeftOn);
    } else {
      EXPECT_TRUE(view.Shown().empty());
      EXPECT_TRUE(switchLeftOn);
    }
    if (c.reason == nullptr) {
      EXPECT_TRUE(sink.refused.empty()) << sink.refused[0];
    } else {
      ASSERT_EQ(sink.refused.size(), 1u);
      EXPECT_EQ(sink.refused[0].substr(sink.refused[0].find(" | ") + 3), c.reason);
    }
  }

  MemoryFileSystem files;
  CountingMessagePump pump;
  RecordingProgressView view;
  SetupData settings;
  RecordingSink sink;
  bool switchLeftOn = true;
};

class NativeViewTest : public SystemGuardTest {};

TEST_P(NativeViewTest, TakesExactlyWhatMayGo) { Check(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Cases, NativeViewTest,
    ::testing::Values(
        // The profiles folder, and the folders that hold protected ones,
        // are refused whole.
        Case{"C:\\Users", kProtected, true, {}},
        Case{"C:\\Users\\me\\AppData", kHolds, true, {}},
        Case{"C:\\Users\\me\\AppData\\Roaming\\Microsoft", kHolds, true, {}},
        Case{"C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows", kHolds, true, {}},
        Case{"C:\\ProgramData\\Microsoft", kHolds, true, {}},
        // ... however reached.
        Case{"C:\\Documents and Settings", kProtected, true, {}},
        Case{"C:\\data\\userslink", kProtected, true, {}},
        Case{"C:\\data\\rootlink\\Users", kProtected, true, {}},
        Case{"C:\\data\\rootlink\\ProgramData\\Microsoft", kHolds, true, {}},
        // Every profile, the application-data folders and the public profile.
        Case{"C:\\Users\\other", kProtected, true, {}},
        Case{"C:\\Documents and Settings\\other", kProtected, true, {}},
        Case{"C:\\Users\\All Users", kProtected, true, {}},
        Case{"C:\\Users\\me\\AppData\\Roaming", kProtected, true, {}},
        Case{"C:\\Users\\me\\AppData\\Local", kProtected, true, {}},
        Case{"C:\\Users\\me\\AppData\\LocalLow", kProtected, true, {}},
        Case{"C:\\ProgramData", kProtected, true, {}},
        Case{"C:\\Users\\Public", kProtected, true, {}},
        Case{"C:\\data\\pflink", kProtected, true, {}},
        // A link to a drive or share root is that root: passed over without
        // a word.
        Case{"C:\\data\\rootlink", kRoot, false, {}},
        Case{"C:\\data\\sharelink", kRoot, false, {}},
        Case{"C:\\", kRoot, false, {}},
        // The program's own folders are passed over, wherever they are met.
        Case{"C:\\Users\\me\\Downloads\\Vantrel", kProgram, false, {}},
        Case{"C:\\Users\\me\\AppData\\Roaming\\Vantrel", kProgram, false, {}},
        Case{"C:\\Users\\me\\Downloads", kProgram, false, {"C:\\Users\\me\\Downloads\\setup.zip"}},
        // Below the protected folders everything goes.
        Case{"C:\\Users\\me\\AppData\\Local\\Temp", nullptr, false,
             {"C:\\Users\\me\\AppData\\Local\\Temp\\a.tmp",
              "C:\\Users\\me\\AppData\\Local\\Temp\\sub\\b.tmp"}},
        Case{"C:\\Users\\me\\AppData\\Local\\Browser\\Cache", nullptr, false,
             {"C:\\Users\\me\\AppData\\Local\\Browser\\Cache\\f_0001"}},
        Case{"C:\\Users\\me\\Documents\\scratch", nullptr, false,
             {"C:\\Users\\me\\Documents\\scratch\\draft.txt"}},
        Case{"C:\\Users\\other\\Documents", nullptr, false, {"C:\\Users\\other\\Documents\\thesis.doc"}},
        Case{"C:\\Windows\\System32\\drivers", nullptr, false,
             {"C:\\Windows\\System32\\drivers\\disk.sys"}},
        // The links in a cleaned folder stay and are never followed.
        Case{"C:\\data", nullptr, false, {"C:\\data\\own.txt", "C:\\data\\sub\\more.txt"}}));

// A 32-bit program on 64-bit Windows: system32 shows it SysWOW64, Sysnative
// the real system32, and links are not redirected at all.
class Wow64ViewTest : public SystemGuardTest {
 protected:
  void SetUp() override { files.SeeAsWow64("C:\\Windows"); }
};

TEST_P(Wow64ViewTest, TakesExactlyWhatMayGo) { Check(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Cases, Wow64ViewTest,
    ::testing::Values(
        Case{"C:\\data\\s32link", kProtected, true, {}},
        Case{"C:\\data\\winlink\\system32", kProtected, true, {}},
        Case{"C:\\data\\winlink\\System32\\.", kProtected, true, {}},
        Case{"C:\\Windows\\Sysnative", kProtected, true, {}},
        Case{"C:\\Windows\\SysWOW64", kProtected, true, {}},
        Case{"C:\\data\\pflink", kProtected, true, {}},
        Case{"C:\\Program Files", kProtected, true, {}},
        // Below system32 the two views part: nothing there is cleaned.
        Case{"C:\\Windows\\System32\\drivers", kOtherView, true, {}},
        Case{"C:\\Windows\\Sysnative\\drivers", kOtherView, true, {}},
        // The same guard as in the native view elsewhere.
        Case{"C:\\data\\rootlink", kRoot, false, {}},
        Case{"C:\\Users", kProtected, true, {}},
        Case{"C:\\Windows\\Temp", nullptr, false, {"C:\\Windows\\Temp\\setup.log"}},
        Case{"C:\\data", nullptr, false, {"C:\\data\\own.txt", "C:\\data\\sub\\more.txt"}}));

// The program's folder met in a walk is passed over, and the walk goes on
// after it; the files counted are the ones the walk will try.
TEST_F(SystemGuardTest, TheProgramFolderIsPassedOverAndTheWalkGoesOn) {
  files.AddFile("C:\\Users\\me\\Downloads\\zz.txt");
  FolderPurge purge(files, pump, view, settings, Folders(), sink);
  const int expected = purge.CountFolderFiles("C:\\Users\\me\\Downloads", true);
  EXPECT_EQ(expected, 2);
  EXPECT_EQ(purge.PurgeFolder(nullptr, "C:\\Users\\me\\Downloads", true, 0, expected, 0, 1000), 2);
  EXPECT_FALSE(files.HasFile("C:\\Users\\me\\Downloads\\zz.txt"));
  EXPECT_TRUE(files.HasFile("C:\\Users\\me\\Downloads\\Vantrel\\Qorv.exe"));
  EXPECT_EQ(sink.refused,
            std::vector<std::string>{"C:\\Users\\me\\Downloads\\Vantrel\\ | " + std::string(kProgram)});
  EXPECT_EQ(std::count_if(files.calls.begin(), files.calls.end(),
                          [](const std::string& call) { return call.find("\\Vantrel") != std::string::npos; }),
            0);
}

// Where the system names no profiles folder, the profiles are those it
// names; nothing else changes.
TEST_F(SystemGuardTest, WithoutAProfilesFolderTheNamedFoldersStillHoldTheirHolders) {
  SystemFolders folders = Folders();
  folders.profilesFolder.clear();
  PathGuard guard(files, folders);
  EXPECT_EQ(guard.Judge("C:\\Users\\", true), PathGuard::Verdict::kHoldsProtected);
  EXPECT_EQ(guard.Judge("C:\\Users\\other\\", true), PathGuard::Verdict::kPass);
  EXPECT_EQ(guard.Judge("C:\\Users\\me\\", true), PathGuard::Verdict::kProtectedFolder);
}

}  // namespace
}  // namespace vantrel
