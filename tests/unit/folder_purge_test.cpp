// Counting and emptying folders behind the path guard, on an in-memory tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>

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

const char kRoot[] =
    "경로가 루프폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n해당 삭제 설정을 해제합니다.";
const char kWindows[] =
    "경로가 윈도우 폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n해당 삭제 설정을 해제합니다.";
const char kImportant[] =
    "경로가 윈도우 중요 폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n해당 삭제 설정을 해제합니다.";

class FolderPurgeTest : public ::testing::Test {
 protected:
  FolderPurgeTest() {
    pump.onDrain = [this] { view.events.push_back("drain"); };
  }
  FolderPurge Purge() {
    return FolderPurge(files, pump, view, settings,
                       SystemFolders{"E:\\OS\\Win", "E:\\OS\\Win\\Sys\\"});
  }
  bool Called(const std::string& text) const {
    return std::any_of(files.calls.begin(), files.calls.end(),
                       [&](const std::string& call) { return call.find(text) != std::string::npos; });
  }

  MemoryFileSystem files;
  CountingMessagePump pump;
  RecordingProgressView view;
  SetupData settings;
};

// --- the guard --------------------------------------------------------------

struct GuardCase {
  const char* path;
  const char* message;  // nullptr: the folder is searched
  const char* searched = nullptr;  // the folder searched, when not path with a backslash
};

// Test names stay ASCII: bytes above 0x7F as <B9><D9>, backslashes as "/".
void PrintTo(const GuardCase& c, std::ostream* out) {
  static const char hex[] = "0123456789ABCDEF";
  *out << '[';
  for (const char* p = c.path; *p != '\0'; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    if (byte == '\\') {
      *out << '/';
    } else if (byte == ' ') {
      *out << '_';
    } else if (byte < 0x80) {
      *out << *p;
    } else {
      *out << '<' << hex[byte >> 4] << hex[byte & 0xF] << '>';
    }
  }
  *out << ']';
}

class PathGuardTest : public FolderPurgeTest, public ::testing::WithParamInterface<GuardCase> {};

TEST_P(PathGuardTest, RefusesOrSearches) {
  const GuardCase& c = GetParam();
  settings.cleanTemp = true;
  const int result = Purge().PurgeFolder(&settings.cleanTemp, c.path, true, 7, 10, 0, 1000);
  if (c.message == nullptr) {
    EXPECT_EQ(result, 7);  // nothing found: the start count
    EXPECT_TRUE(view.Shown().empty());
    EXPECT_TRUE(settings.cleanTemp);
    std::string pattern = c.searched != nullptr ? c.searched : c.path;
    if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
    EXPECT_EQ(files.calls, std::vector<std::string>{"Find " + pattern + "*.*"});
  } else {
    EXPECT_EQ(result, -1);
    ASSERT_EQ(view.Shown().size(), 1u);
    EXPECT_EQ(view.Shown()[0].text, c.message);
    EXPECT_EQ(view.Shown()[0].caption, "경고");
    EXPECT_EQ(view.Shown()[0].style, 0x10u);
    EXPECT_FALSE(settings.cleanTemp);
    EXPECT_TRUE(files.calls.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathGuardTest,
    ::testing::Values(
        // Roots: shorter than 4 bytes once the backslash is added.
        GuardCase{"", kRoot}, GuardCase{"C:", kRoot}, GuardCase{"C:\\", kRoot},
        GuardCase{"C:A", nullptr, "C:\\Work\\A"},  // relative to the current folder
        GuardCase{"C:\\A", nullptr},
        // The Windows folder directly below a three-byte prefix, any case.
        GuardCase{"C:\\WINDOWS", kWindows}, GuardCase{"c:\\windows\\", kWindows},
        GuardCase{"D:\\WinNT", kWindows}, GuardCase{"C:\\WINDOWS\\TEMP", nullptr},
        GuardCase{"C:\\DATA\\WINDOWS\\", nullptr}, GuardCase{"C:\\WINDOWSX", nullptr},
        // Start menu and desktop: the last 10 bytes, on paths longer than 13.
        GuardCase{"C:\\시작 메뉴", nullptr},  // 13 bytes
        GuardCase{"C:\\X시작 메뉴", kImportant},  // 14 bytes
        GuardCase{"C:\\바탕 화면", nullptr},
        GuardCase{"c:\\x바탕 화면\\", kImportant},
        GuardCase{"C:\\Documents and Settings\\홍길동\\바탕 화면", kImportant},
        GuardCase{"C:\\Documents and Settings\\홍길동\\시작 메뉴\\프로그램", nullptr},
        GuardCase{"C:\\Documents and Settings\\홍길동\\바탕 화면 사본", nullptr},
        // System folders below a WINDOWS or WINNT folder.
        GuardCase{"C:\\WINDOWS\\SYSTEM32", kImportant},  // 20 bytes
        GuardCase{"c:\\windows\\system32\\", kImportant},
        GuardCase{"C:\\WINDOWS\\SYSTEM", kImportant},  // 18 bytes
        GuardCase{"C:\\Windows\\System\\", kImportant},
        GuardCase{"E:\\OLD\\WINDOWS\\SYSTEM", kImportant},
        GuardCase{"C:\\WINNT\\SYSTEM32", kImportant}, GuardCase{"C:\\winnt\\system", kImportant},
        GuardCase{"F:\\BACKUP\\WINNT\\SYSTEM32\\", kImportant},
        GuardCase{"C:WINDOWS\\SYSTEM\\", kImportant},  // C:\Work\WINDOWS\SYSTEM
        GuardCase{"C:\\WINDOWS\\SYSTEM32\\DRIVERS", nullptr},
        // 0x81 is a lead byte and the "w" after it its trail byte: this is a
        // Korean character followed by "indows", not a WINDOWS folder.
        GuardCase{"C:\\A\\\x81windows\\system", nullptr},
        GuardCase{"C:\\A\\\x80windows\\system", kImportant},
        GuardCase{"C:\\WINNT\\SYSTEM32\\CONFIG\\", nullptr},
        // The folders the running system reports, wherever they are.
        GuardCase{"e:\\os\\win", kImportant}, GuardCase{"E:\\OS\\WIN\\SYS", kImportant},
        GuardCase{"E:\\OS\\Win\\Temp", nullptr}, GuardCase{"E:\\OS", kImportant},
        GuardCase{"E:\\OS\\Win\\Sys\\Drivers", nullptr}));

// --- spellings ------------------------------------------------------------------
//
// A system laid out as a fresh Windows lays it out, with a canary in every
// folder the guard protects. The in-memory file system resolves every
// spelling as Windows does, so a spelling the guard did not recognise would
// reach the canary.

const char* const kProtected[] = {
    "C:\\Windows",
    "C:\\Windows\\System32",
    "C:\\Users\\me\\Desktop",
    "C:\\Users\\Public\\Desktop",
    "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu",
    "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs",
    "C:\\ProgramData\\Microsoft\\Windows\\Start Menu",
    "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs",
    "C:\\Users\\me",
    "C:\\Users\\me\\Documents",
    "C:\\Program Files",
    "C:\\Program Files (x86)",
};

class SpellingTest : public FolderPurgeTest, public ::testing::WithParamInterface<GuardCase> {
 protected:
  void SetUp() override {
    for (const char* folder : kProtected) files.AddFile(std::string(folder) + "\\canary.txt");
    files.AddFile("C:\\Windows\\Temp\\t.tmp");
    files.AddFile("C:\\Users\\me\\Documents\\scratch\\s.txt");
    files.AddFile("C:\\Program Files\\App\\Cache\\c.dat");
    files.AddFile("S:\\s.txt");
    files.AddFile("T:\\x\\t.txt");
    files.AddFile("U:\\u.txt");
    files.AddShortName("C:\\PROGRA~1", "C:\\Program Files");
    files.AddShortName("C:\\Users\\me\\DOCUME~1", "C:\\Users\\me\\Documents");
    files.currentFolder = "C:\\Windows";
  }
  FolderPurge SystemPurge() {
    SystemFolders system{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32"};
    system.importantFolders.assign(std::begin(kProtected) + 2, std::end(kProtected));
    return FolderPurge(files, pump, view, settings, system);
  }
};

TEST_P(SpellingTest, ProtectedFoldersAreRefusedHoweverSpelt) {
  const GuardCase& c = GetParam();
  settings.cleanTemp = true;
  FolderPurge purge = SystemPurge();
  const int result = purge.PurgeFolder(&settings.cleanTemp, c.path, true, 0, 10, 0, 1000);
  for (const char* folder : kProtected) {
    EXPECT_TRUE(files.HasFile(std::string(folder) + "\\canary.txt")) << folder;
  }
  if (c.message == nullptr) {
    EXPECT_GE(result, 0);
    EXPECT_TRUE(view.Shown().empty());
    EXPECT_TRUE(settings.cleanTemp);
    ASSERT_FALSE(files.calls.empty());
    EXPECT_EQ(files.calls[0], std::string("Find ") + c.searched + "*.*");
  } else {
    EXPECT_EQ(result, -1);
    ASSERT_EQ(view.Shown().size(), 1u);
    EXPECT_EQ(view.Shown()[0].text, c.message);
    EXPECT_FALSE(settings.cleanTemp);
    EXPECT_TRUE(files.calls.empty());
  }
}

TEST_P(SpellingTest, ACleaningStepNeverReachesACanary) {
  const GuardCase& c = GetParam();
  FolderPurge purge = SystemPurge();
  const int expected = purge.CountFolderFiles(c.path, true);
  purge.PurgeFolder(nullptr, c.path, true, 0, expected, 0, 1000);
  for (const char* folder : kProtected) {
    EXPECT_TRUE(files.HasFile(std::string(folder) + "\\canary.txt")) << folder;
  }
  for (const char* file : {"S:\\s.txt", "T:\\x\\t.txt", "U:\\u.txt"}) {
    EXPECT_TRUE(files.HasFile(file)) << file;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpellingTest,
    ::testing::Values(
        // The Windows folder.
        GuardCase{"C:\\users\\..\\windows", kWindows}, GuardCase{"C:\\\\windows", kWindows},
        GuardCase{"C:/windows", kWindows}, GuardCase{"C:\\WINDOWS\\.", kWindows},
        GuardCase{"C:\\WINDOWS\\\\", kWindows}, GuardCase{"C:\\windows.", kWindows},
        GuardCase{"C:\\windows. .", kWindows}, GuardCase{"C:\\windows ", kWindows},
        GuardCase{"C:\\Windows\\System32\\..", kWindows}, GuardCase{".", kWindows},
        GuardCase{"..\\Windows", kWindows}, GuardCase{"\\windows", kWindows},
        GuardCase{"\\\\?\\C:\\windows", kWindows}, GuardCase{"\\\\.\\C:\\windows", kWindows},
        GuardCase{"\\??\\C:\\windows", kWindows}, GuardCase{"//?/C:/windows", kWindows},
        GuardCase{"\\\\?\\\\\\.\\C:\\windows", kWindows},
        // The system folder.
        GuardCase{"C:/windows/system32", kImportant}, GuardCase{"C:\\windows\\system32.", kImportant},
        GuardCase{"C:\\windows\\system32 ", kImportant}, GuardCase{"system32", kImportant},
        GuardCase{"C:\\windows\\system32\\drivers\\..", kImportant},
        GuardCase{"C:\\Windows\\.\\System32\\.\\", kImportant},
        GuardCase{"\\\\?\\C:\\windows\\system32", kImportant},
        // Drive and share roots.
        GuardCase{"S:\\.", kRoot}, GuardCase{"T:\\x\\..", kRoot}, GuardCase{"U:\\\\\\", kRoot},
        GuardCase{"C:\\Windows\\..", kRoot}, GuardCase{"C:\\..\\..", kRoot},
        GuardCase{"\\\\?\\S:\\", kRoot}, GuardCase{"\\\\server\\share", kRoot},
        GuardCase{"\\\\server\\share\\", kRoot}, GuardCase{"//server/share/", kRoot},
        GuardCase{"\\\\?\\UNC\\server\\share", kRoot}, GuardCase{"\\\\server\\share\\x\\..", kRoot},
        GuardCase{"\\\\server", kRoot}, GuardCase{"C:\\Windows\\...", kWindows},
        // The folders the running system names, in any spelling.
        GuardCase{"C:\\Users\\me\\Desktop", kImportant},
        GuardCase{"c:\\users\\ME\\desktop\\", kImportant},
        GuardCase{"C:\\Users\\me\\Desktop\\..\\Desktop.", kImportant},
        GuardCase{"C:\\Users\\Public\\Desktop", kImportant},
        GuardCase{"C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu", kImportant},
        GuardCase{"C:/Users/me/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/", kImportant},
        GuardCase{"C:\\ProgramData\\Microsoft\\Windows\\Start Menu", kImportant},
        GuardCase{"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs", kImportant},
        GuardCase{"C:\\Users\\me", kImportant}, GuardCase{"C:\\Users\\me\\Documents\\.", kImportant},
        GuardCase{"C:\\Users\\me\\DOCUME~1", kImportant}, GuardCase{"C:\\PROGRA~1", kImportant},
        GuardCase{"C:\\Program Files", kImportant}, GuardCase{"C:\\Program Files (x86)\\", kImportant},
        // Below them everything passes, judged and searched by its canonical
        // spelling.
        GuardCase{"C:\\Users\\me\\Documents\\scratch", nullptr,
                  "C:\\Users\\me\\Documents\\scratch\\"},
        GuardCase{"C:\\Users\\me\\DOCUME~1\\scratch\\.", nullptr,
                  "C:\\Users\\me\\Documents\\scratch\\"},
        GuardCase{"C:\\PROGRA~1\\App\\Cache", nullptr, "C:\\Program Files\\App\\Cache\\"},
        GuardCase{"Temp", nullptr, "C:\\Windows\\Temp\\"},
        GuardCase{"C:\\Windows//Temp.", nullptr, "C:\\Windows\\Temp\\"}));

TEST_F(FolderPurgeTest, SubFoldersOfAProtectedFolderAreCleanedButNotItself) {
  files.AddFile("C:\\Users\\me\\Documents\\canary.txt");
  files.AddFile("C:\\Users\\me\\Documents\\scratch\\a.txt");
  files.AddFile("C:\\Users\\me\\Documents\\scratch\\sub\\b.txt");
  SystemFolders system;
  system.importantFolders = {"C:\\Users\\me\\Documents"};
  FolderPurge purge(files, pump, view, settings, system);
  const int expected = purge.CountFolderFiles("C:\\Users\\me\\Documents\\scratch", true);
  EXPECT_EQ(expected, 2);
  EXPECT_EQ(purge.PurgeFolder(nullptr, "C:\\Users\\me\\Documents\\scratch", true, 0, expected, 0,
                              1000),
            2);
  EXPECT_FALSE(files.HasFile("C:\\Users\\me\\Documents\\scratch\\a.txt"));
  EXPECT_FALSE(files.HasDirectory("C:\\Users\\me\\Documents\\scratch\\sub"));
  EXPECT_TRUE(files.HasFile("C:\\Users\\me\\Documents\\canary.txt"));
  EXPECT_TRUE(view.Shown().empty());
}

// A run never cleans around a protected folder: the folder that holds one
// is refused whole, with the warning, and nothing in it goes.
TEST_F(FolderPurgeTest, AFolderThatHoldsAnImportantFolderIsRefusedWhole) {
  files.AddFile("C:\\Users\\a.txt");
  files.AddFile("C:\\Users\\me\\Desktop\\canary.txt");
  files.AddFile("C:\\Users\\me\\other\\b.txt");
  SystemFolders system;
  system.importantFolders = {"C:\\Users\\me\\Desktop"};
  FolderPurge purge(files, pump, view, settings, system);
  for (const char* holder : {"C:\\Users", "C:\\users\\ME\\"}) {
    const int expected = purge.CountFolderFiles(holder, true);
    bool flag = true;
    EXPECT_EQ(purge.PurgeFolder(&flag, holder, true, 0, expected, 0, 1000), -1) << holder;
    EXPECT_FALSE(flag);
  }
  ASSERT_EQ(view.Shown().size(), 2u);
  EXPECT_EQ(view.Shown()[1].text, kImportant);
  EXPECT_TRUE(files.HasFile("C:\\Users\\a.txt"));
  EXPECT_TRUE(files.HasFile("C:\\Users\\me\\Desktop\\canary.txt"));
  EXPECT_TRUE(files.HasFile("C:\\Users\\me\\other\\b.txt"));
}

// Windows keeps junctions such as "Documents and Settings" for old paths; the
// guard knows a protected folder by what it is, not by the path to it.
TEST_F(FolderPurgeTest, AProtectedFolderReachedThroughAJunctionIsRefused) {
  files.AddFile("C:\\Users\\me\\Desktop\\canary.txt");
  files.AddFile("C:\\Users\\me\\notes.txt");
  files.AddDirectoryLink("C:\\Documents and Settings", "C:\\Users");
  SystemFolders system;
  system.importantFolders = {"C:\\Users\\me\\Desktop"};
  FolderPurge purge(files, pump, view, settings, system);

  bool flag = true;
  EXPECT_EQ(purge.PurgeFolder(&flag, "C:\\Documents and Settings\\me\\Desktop", true, 0, 1, 0, 1000),
            -1);
  EXPECT_FALSE(flag);
  ASSERT_EQ(view.Shown().size(), 1u);
  EXPECT_EQ(view.Shown()[0].text, kImportant);

  // A link of another name to it, given to the purge.
  files.AddDirectoryLink("C:\\Work\\mine", "C:\\Users\\me\\Desktop");
  EXPECT_EQ(purge.PurgeFolder(nullptr, "C:\\Work\\mine", true, 0, 1, 0, 1000), -1);
  EXPECT_EQ(view.Shown().size(), 2u);

  // The junction to the folder that holds it is that folder, refused whole.
  const int expected = purge.CountFolderFiles("C:\\Documents and Settings", true);
  EXPECT_EQ(purge.PurgeFolder(nullptr, "C:\\Documents and Settings", true, 0, expected, 0, 1000), -1);
  EXPECT_EQ(view.Shown().size(), 3u);
  EXPECT_TRUE(files.HasFile("C:\\Users\\me\\Desktop\\canary.txt"));
  EXPECT_TRUE(files.HasFile("C:\\Users\\me\\notes.txt"));
}

TEST_F(FolderPurgeTest, AnUnresolvablePathCountsNothingAndIsRefusedAsARoot) {
  files.AddFile("C:\\Work\\a.txt");
  FolderPurge purge = Purge();
  for (const char* path : {"", "\\\\?\\", "\\\\.\\", "\\??\\"}) {
    EXPECT_EQ(purge.CountFolderFiles(path, true), 0) << path;
    EXPECT_EQ(purge.PurgeFolder(nullptr, path, true, 0, 3, 0, 1000), -1) << path;
  }
  EXPECT_TRUE(files.HasFile("C:\\Work\\a.txt"));
  EXPECT_TRUE(files.calls.empty());
}

TEST_F(FolderPurgeTest, UpperCaseCopyKeepsDoubleByteCharactersWhole) {
  // 0x81 0x61 and 0xFE 0x7A are Korean characters whose trail bytes look
  // like 'a' and 'z'; 0x80 and 0xFF are single bytes.
  EXPECT_EQ(UpperCasePath("c:\\\x81\x61z\xFE\x7A\\\x80q\xFFw"), "C:\\\x81\x61Z\xFE\x7A\\\x80Q\xFFW");
  EXPECT_EQ(UpperCasePath("바탕 화면\\temp"), "바탕 화면\\TEMP");
  EXPECT_EQ(UpperCasePath("a\x81"), "A\x81");
}

TEST_F(FolderPurgeTest, RefusalWithoutSwitchOnlyWarns) {
  EXPECT_EQ(Purge().PurgeFolder(nullptr, "D:\\DATA\\바탕 화면", true, 0, 3, 0, 1000), -1);
  ASSERT_EQ(view.Shown().size(), 1u);
  EXPECT_EQ(view.Shown()[0].text, kImportant);
  EXPECT_TRUE(settings.cleanTemp);
}

TEST_F(FolderPurgeTest, ExpectedCountZeroDoesNothingAtAll) {
  bool flag = true;
  EXPECT_EQ(Purge().PurgeFolder(&flag, "C:\\", true, 5, 0, 0, 1000), 0);
  EXPECT_EQ(Purge().PurgeFolder(&flag, "C:\\DATA", true, 5, 0, 0, 1000), 0);
  EXPECT_TRUE(flag);
  EXPECT_TRUE(view.events.empty());
  EXPECT_TRUE(files.calls.empty());
}

// --- counting ----------------------------------------------------------------

TEST_F(FolderPurgeTest, CountRefusesRootsAndTheWindowsFolderSilently) {
  for (const char* path : {"C:\\WINDOWS\\a.txt", "C:\\WINNT\\b.txt", "C:\\x.txt"}) files.AddFile(path);
  FolderPurge purge = Purge();
  for (const char* path : {"", "C:", "C:\\", "c:\\windows", "C:\\WinNT\\"}) {
    EXPECT_EQ(purge.CountFolderFiles(path, true), 0) << path;
  }
  EXPECT_TRUE(files.calls.empty());
  EXPECT_TRUE(view.events.empty());
}

TEST_F(FolderPurgeTest, CountTakesSubFoldersOnlyWhenAskedAndPumpsBeforeEveryEntry) {
  files.AddFile("C:\\T\\a.txt");
  files.AddFile("C:\\T\\b.txt");
  files.AddFile("C:\\T\\ro.txt");
  files.SetReadOnly("C:\\T\\ro.txt");
  files.AddFile("C:\\T\\sub\\c.txt");
  files.AddFile("C:\\T\\sub\\deep\\d.txt");
  files.AddDirectory("C:\\T\\empty");
  EXPECT_EQ(Purge().CountFolderFiles("C:\\T", false), 3);
  EXPECT_EQ(pump.drains, 7);  // ".", "..", three files, two folders
  pump.drains = 0;
  EXPECT_EQ(Purge().CountFolderFiles("C:\\T\\", true), 5);
  EXPECT_EQ(pump.drains, 7 + 4 + 3 + 2);  // T, sub, deep, empty
  EXPECT_EQ(Purge().CountFolderFiles("C:\\WINDOWS\\TEMP", true), 0);  // missing
  files.AddFile("C:\\A\\x.txt");
  EXPECT_EQ(Purge().CountFolderFiles("C:\\A", true), 1);  // five bytes pass
}

// --- purging -----------------------------------------------------------------

TEST_F(FolderPurgeTest, BarsMoveBeforeEachEntryAndFilesGo) {
  files.AddFile("C:\\T\\a.txt");
  files.AddFile("C:\\T\\b.txt");
  files.AddFile("C:\\T\\sub\\c.txt");
  files.AddFile("C:\\T\\sub\\d.txt");
  files.AddFile("C:\\T\\z.txt");
  FolderPurge purge = Purge();
  const int expected = purge.CountFolderFiles("C:\\T", true);
  ASSERT_EQ(expected, 5);
  view.events.clear();
  files.calls.clear();

  EXPECT_EQ(purge.PurgeFolder(&settings.cleanTemp, "C:\\T", true, 0, expected, 90, 90), 5);

  auto entry = [](int category, int overall) {
    return std::vector<std::string>{"drain", "category.pos " + std::to_string(category),
                                    "overall.pos " + std::to_string(overall)};
  };
  std::vector<std::string> want;
  for (const auto& e : {entry(0, 90), entry(0, 90), entry(0, 90), entry(200, 108),  // . .. a b
                        entry(400, 126),                                            // sub
                        entry(400, 126), entry(400, 126), entry(400, 126),          // . .. c
                        entry(600, 144),                                            // d
                        entry(800, 162)}) {                                         // z
    want.insert(want.end(), e.begin(), e.end());
  }
  EXPECT_EQ(view.events, want);
  EXPECT_EQ(files.calls, (std::vector<std::string>{
                             "Find C:\\T\\*.*", "Delete C:\\T\\a.txt", "Delete C:\\T\\b.txt",
                             "Find C:\\T\\sub\\*.*", "Delete C:\\T\\sub\\c.txt",
                             "Delete C:\\T\\sub\\d.txt", "RemoveEmptyFolder C:\\T\\sub",
                             "Delete C:\\T\\z.txt"}));
  EXPECT_TRUE(files.HasDirectory("C:\\T"));
  EXPECT_FALSE(files.HasDirectory("C:\\T\\sub"));
  EXPECT_TRUE(settings.cleanTemp);
}

TEST_F(FolderPurgeTest, OverallBarIsTruncatedAndStartCountCarriesOn) {
  files.AddFile("C:\\T\\a.txt");
  files.AddFile("C:\\T\\b.txt");
  files.AddFile("C:\\T\\c.txt");
  EXPECT_EQ(Purge().PurgeFolder(nullptr, "C:\\T", false, 1, 3, 90, 45), 4);
  // count 1, 2, 3 before a, b, c: 333 * 45 * 0.001 = 14.985, 666 -> 29.97
  EXPECT_EQ(view.Events("overall.pos"),
            (std::vector<std::string>{"overall.pos 104", "overall.pos 104", "overall.pos 104",
                                      "overall.pos 119", "overall.pos 135"}));
  EXPECT_EQ(view.Events("category.pos"),
            (std::vector<std::string>{"category.pos 333", "category.pos 333", "category.pos 333",
                                      "category.pos 666", "category.pos 1000"}));
}

TEST_F(FolderPurgeTest, MoreFilesThanCountedRunPastTheEnd) {
  files.AddFile("C:\\T\\a.txt");
  files.AddFile("C:\\T\\b.txt");
  files.AddFile("C:\\T\\c.txt");
  EXPECT_EQ(Purge().PurgeFolder(nullptr, "C:\\T", false, 0, 1, 0, 100), 3);
  EXPECT_EQ(view.Events("category.pos").back(), "category.pos 2000");
  EXPECT_EQ(view.Events("overall.pos").back(), "overall.pos 200");
}

TEST_F(FolderPurgeTest, ReadOnlyFileStaysAndIsCountedWithoutMessage) {
  files.AddFile("C:\\T\\a.txt");
  files.AddFile("C:\\T\\ro.txt");
  files.SetReadOnly("C:\\T\\ro.txt");
  files.AddFile("C:\\T\\sub\\locked.dat");
  files.SetReadOnly("C:\\T\\sub\\locked.dat");
  FolderPurge purge = Purge();
  const int expected = purge.CountFolderFiles("C:\\T", true);
  EXPECT_EQ(expected, 3);
  EXPECT_EQ(purge.PurgeFolder(nullptr, "C:\\T", true, 0, expected, 0, 1000), 3);
  EXPECT_FALSE(files.HasFile("C:\\T\\a.txt"));
  EXPECT_TRUE(files.HasFile("C:\\T\\ro.txt"));
  EXPECT_TRUE(files.HasFile("C:\\T\\sub\\locked.dat"));  // so sub stays too
  EXPECT_TRUE(view.Shown().empty());
}

TEST_F(FolderPurgeTest, WithoutTheFlagSubFoldersAreLeftAlone) {
  files.AddFile("C:\\T\\a.txt");
  files.AddFile("C:\\T\\sub\\b.txt");
  files.AddDirectory("C:\\T\\empty");
  EXPECT_EQ(Purge().PurgeFolder(nullptr, "C:\\T", false, 0, 1, 0, 1000), 1);
  EXPECT_FALSE(files.HasFile("C:\\T\\a.txt"));
  EXPECT_TRUE(files.HasFile("C:\\T\\sub\\b.txt"));
  EXPECT_TRUE(files.HasDirectory("C:\\T\\empty"));
  EXPECT_FALSE(Called("sub"));
}

TEST_F(FolderPurgeTest, RefusedSubFolderIsSkippedAndTheWalkGoesOn) {
  files.AddFile("D:\\DATA\\a.txt");
  files.AddFile("D:\\DATA\\바탕 화면\\x.txt");
  files.AddFile("D:\\DATA\\바탕 화면\\y.txt");
  files.AddDirectory("D:\\DATA\\WINDOWS\\SYSTEM");
  files.AddFile("D:\\DATA\\z.txt");
  settings.cleanCache = true;
  FolderPurge purge = Purge();
  const int expected = purge.CountFolderFiles("D:\\DATA", true);
  EXPECT_EQ(expected, 4);  // the count does not guard
  files.calls.clear();
  EXPECT_EQ(purge.PurgeFolder(&settings.cleanCache, "D:\\DATA", true, 0, expected, 0, 1000), 2);
  EXPECT_FALSE(settings.cleanCache);
  ASSERT_EQ(view.Shown().size(), 2u);
  EXPECT_EQ(view.Shown()[0].text, kImportant);  // WINDOWS\SYSTEM (18 bytes below D:\DATA\)
  EXPECT_EQ(view.Shown()[1].text, kImportant);
  EXPECT_FALSE(files.HasFile("D:\\DATA\\a.txt"));
  EXPECT_FALSE(files.HasFile("D:\\DATA\\z.txt"));
  EXPECT_TRUE(files.HasFile("D:\\DATA\\바탕 화면\\x.txt"));
  EXPECT_TRUE(files.HasFile("D:\\DATA\\바탕 화면\\y.txt"));
  // Refused folders are not removed either, not even when empty.
  EXPECT_TRUE(files.HasDirectory("D:\\DATA\\WINDOWS\\SYSTEM"));
  EXPECT_FALSE(Called("RemoveEmptyFolder D:\\DATA\\바탕 화면"));
  EXPECT_FALSE(Called("Find D:\\DATA\\바탕 화면"));
  EXPECT_FALSE(Called("Find D:\\DATA\\WINDOWS\\SYSTEM"));
  // The finder's order is a.txt, WINDOWS, z.txt, 바탕 화면: after the refusal
  // inside WINDOWS the count went on from where it was.
  EXPECT_EQ(view.Events("category.pos").back(), "category.pos 500");
}

TEST_F(FolderPurgeTest, ConfiguredCleaningFoldersAreEmptiedButKept) {
  files.AddFile("C:\\DATA\\Temp\\t.txt");
  files.AddFile("C:\\DATA\\Keep\\k.txt");
  files.AddFile("C:\\DATA\\Case\\c.txt");
  files.AddFile("C:\\DATA\\Other\\o.txt");
  settings.tempFolder = "C:\\DATA\\Temp\\";  // with the backslash
  auto entry = std::make_unique<UserEntry>();
  entry->dirs = {"Dir:C:\\DATA\\Keep"};  // without
  settings.userEntries.push_back(std::move(entry));
  settings.cacheFolder = "C:\\DATA\\case";  // other letter case: not the same folder
  FolderPurge purge = Purge();
  const int expected = purge.CountFolderFiles("C:\\DATA", true);
  EXPECT_EQ(purge.PurgeFolder(nullptr, "C:\\DATA", true, 0, expected, 0, 1000), 4);
  EXPECT_TRUE(files.HasDirectory("C:\\DATA\\Temp"));
  EXPECT_TRUE(files.HasDirectory("C:\\DATA\\Keep"));
  EXPECT_FALSE(files.HasDirectory("C:\\DATA\\Case"));
  EXPECT_FALSE(files.HasDirectory("C:\\DATA\\Other"));
  EXPECT_FALSE(files.HasFile("C:\\DATA\\Temp\\t.txt"));
  EXPECT_FALSE(files.HasFile("C:\\DATA\\Keep\\k.txt"));
}

// The file adapter hands a name the code page cannot hold over as 0xFF and
// UTF-16 hex digits; the purge must pass such names back untouched, at any
// depth.
TEST_F(FolderPurgeTest, EveryNameAndEveryDepthIsHandedBackAsFound) {
  const std::string naive = "\xFF" "006E006100EF00760065";
  const std::string emojiFolder = "\xFF" "D83DDE00";
  std::string deep = "C:\\T";
  for (int level = 0; level < 6; ++level) {
    deep += "\\" + std::string(48, static_cast<char>('a' + level));
  }
  const std::string deepFile = deep + "\\deep.txt";
  ASSERT_GT(deepFile.size(), 290u);
  for (const std::string& file : {"C:\\T\\" + naive, "C:\\T\\" + emojiFolder + "\\x.txt",
                                   std::string("C:\\T\\한글.txt"), deepFile}) {
    files.AddFile(file, "12345");
  }
  files.AddFile("C:\\outside.txt");
  FolderPurge purge = Purge();
  const int expected = purge.CountFolderFiles("C:\\T", true);
  EXPECT_EQ(expected, 4);
  EXPECT_EQ(purge.PurgeFolder(nullptr, "C:\\T", true, 0, expected, 0, 1000), 4);
  EXPECT_TRUE(Called("Delete C:\\T\\" + naive));
  EXPECT_TRUE(Called("RemoveEmptyFolder C:\\T\\" + emojiFolder));
  EXPECT_TRUE(Called("Delete " + deepFile));
  EXPECT_EQ(files.AllPaths(), (std::vector<std::string>{"C:\\", "C:\\outside.txt", "C:\\T"}));
}

TEST_F(FolderPurgeTest, DirectoryLinksAreNeverFollowedNorRemoved) {
  files.AddFile("C:\\Users\\me\\Documents\\canary.txt", "keep me");
  files.AddFile("C:\\Users\\me\\Documents\\sub\\deep.txt");
  files.AddDirectory("C:\\Users\\me\\Empty");
  files.AddFile("C:\\Temp\\a.txt");
  files.AddDirectoryLink("C:\\Temp\\Docs", "C:\\Users\\me\\Documents");
  files.AddDirectoryLink("C:\\Temp\\Hollow", "C:\\Users\\me\\Empty");
  files.AddFile("C:\\Temp\\sub\\b.txt");
  files.AddDirectoryLink("C:\\Temp\\sub\\Again", "C:\\Users\\me\\Documents");
  FolderPurge purge = Purge();
  const int expected = purge.CountFolderFiles("C:\\Temp", true);
  EXPECT_EQ(expected, 2);
  EXPECT_EQ(purge.PurgeFolder(&settings.cleanTemp, "C:\\Temp", true, 0, expected, 0, 1000), 2);
  EXPECT_FALSE(files.HasFile("C:\\Temp\\a.txt"));
  EXPECT_FALSE(files.HasFile("C:\\Temp\\sub\\b.txt"));
  EXPECT_EQ(files.Contents("C:\\Users\\me\\Documents\\canary.txt"), "keep me");
  EXPECT_TRUE(files.HasFile("C:\\Users\\me\\Documents\\sub\\deep.txt"));
  EXPECT_TRUE(files.HasDirectory("C:\\Users\\me\\Empty"));
  EXPECT_TRUE(files.HasDirectory("C:\\Temp\\Docs"));
  EXPECT_TRUE(files.HasDirectory("C:\\Temp\\Hollow"));
  // Nothing at all went to the port by way of a link.
  EXPECT_FALSE(Called("Docs"));
  EXPECT_FALSE(Called("Hollow"));
  EXPECT_FALSE(Called("Again"));
  EXPECT_TRUE(settings.cleanTemp);
  EXPECT_TRUE(view.Shown().empty());
}

// --- the configured folders ----------------------------------------------------

TEST(SetupDataPathsTest, IsCleaningFolderTakesBothFormsButOnlyTheSameCase) {
  SetupData settings;
  settings.cacheFolder = "C:\\Cache";
  settings.cookieFolder = "C:\\Cookies\\";
  settings.historyFolder = "C:\\History";
  settings.tempFolder = "C:\\Temp\\";
  settings.recentFolder = "C:\\Recent";
  settings.cleanTemp = false;  // the switches do not matter
  auto entry = std::make_unique<UserEntry>();
  entry->dirs = {"Dir:D:\\Mine", "Dir:D:\\바탕 화면\\"};
  entry->regKeys = {"Reg:D:\\Keys"};
  settings.userEntries.push_back(std::make_unique<UserEntry>());
  settings.userEntries.push_back(std::move(entry));

  for (const char* yes : {"C:\\Cache", "C:\\Cache\\", "C:\\Cookies", "C:\\Cookies\\", "C:\\History\\",
                          "C:\\Temp", "C:\\Recent\\", "D:\\Mine", "D:\\Mine\\", "D:\\바탕 화면"}) {
    EXPECT_TRUE(settings.IsCleaningFolder(yes)) << yes;
  }
  for (const char* no : {"c:\\cache", "C:\\TEMP\\", "C:\\Temp\\\\\\", "D:\\mine", "D:\\Keys", "D:\\",
                         "Dir:D:\\Mine", "C:\\Cach"}) {
    EXPECT_FALSE(settings.IsCleaningFolder(no)) << no;
  }
}

TEST(SetupDataPathsTest, ShortUserDirectoryStringsDoNotMatchRealFolders) {
  SetupData settings;
  settings.cacheFolder = "C:\\Cache";
  auto entry = std::make_unique<UserEntry>();
  entry->dirs = {"Dir", "Dir:"};
  settings.userEntries.push_back(std::move(entry));
  EXPECT_FALSE(settings.IsCleaningFolder("C:\\Dir"));
  EXPECT_FALSE(settings.IsCleaningFolder("C:\\"));
}

}  // namespace
}  // namespace vantrel
