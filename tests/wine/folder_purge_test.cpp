// Counting and emptying real folders through the Win32 file adapter.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "engine/folder_purge.h"
#include "engine/folder_purge_win32.h"
#include "engine/folder_survey.h"
#include "platform/progress_view.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_pump_win32.h"
#include "platform/win32/wide_path_win32.h"
#include "settings/setup_data.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

class QuietView : public ProgressView, MessageBoxes {
 public:
  ProgressBarView& CategoryBar() override { return category; }
  ProgressBarView& OverallBar() override { return overall; }
  LabelView& StepLabel() override { return label; }
  LabelView& CountLabel() override { return label; }
  MessageBoxes& Messages() override { return *this; }
  int Show(const std::string& text, const std::string& caption, unsigned style) override {
    shown.push_back(caption + ": " + text);
    styles.push_back(style);
    return IDOK;
  }

  struct Bar : ProgressBarView {
    void SetRange(int, int) override {}
    void SetPos(int position) override { positions.push_back(position); }
    std::vector<int> positions;
  } category, overall;
  struct Label : LabelView {
    void SetText(const std::string&) override {}
  } label;
  std::vector<std::string> shown;
  std::vector<unsigned> styles;
};

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class FolderPurgeWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = MakeFolder(ScratchFolder() + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  void TearDown() override {
    for (const auto& path : readOnly) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  void File(const std::string& relative) {
    const std::string path = root + relative;
    MakeFolder(path.substr(0, path.rfind('\\')));
    WriteBytes(path, relative);
  }
  FolderPurge Purge() { return FolderPurge(files, pump, view, settings, RunningSystemFolders()); }

  Win32FileSystem files;
  Win32MessagePump pump;
  QuietView view;
  SetupData settings;
  std::string root;
  std::vector<std::string> readOnly;
};

TEST_F(FolderPurgeWineTest, RecursivePurgeEmptiesTheTreeButKeepsWhatItMust) {
  File("a.txt");
  File("b.txt");
  File("ro.txt");
  File("sub\\c.txt");
  File("sub\\deep\\d.txt");
  File("Temp\\e.txt");
  MakeFolder(root + "empty");
  readOnly.push_back(root + "ro.txt");
  ASSERT_TRUE(SetFileAttributesA(readOnly[0].c_str(), FILE_ATTRIBUTE_READONLY));
  settings.tempFolder = root + "Temp";

  FolderPurge purge = Purge();
  const int expected = purge.CountFolderFiles(root, true);
  EXPECT_EQ(expected, 6);
  EXPECT_EQ(purge.PurgeFolder(&settings.cleanTemp, root, true, 0, expected, 0, 1000), 6);

  for (const char* gone : {"a.txt", "b.txt", "sub\\c.txt", "sub\\deep\\d.txt", "Temp\\e.txt"}) {
    EXPECT_FALSE(FileExists(root + gone)) << gone;
  }
  EXPECT_TRUE(FileExists(root + "ro.txt"));
  EXPECT_FALSE(FileExists(root + "sub"));
  EXPECT_FALSE(FileExists(root + "empty"));
  EXPECT_TRUE(IsFolder(root + "Temp"));
  EXPECT_TRUE(IsFolder(root));
  EXPECT_TRUE(settings.cleanTemp);
  EXPECT_TRUE(view.shown.empty());
  // The finder sorts case-insensitively: ., .., a, b, empty (., ..), ro,
  // sub (., .., c, deep (., .., d)), Temp (., .., e).
  EXPECT_EQ(view.category.positions,
            (std::vector<int>{0, 0, 0, 166, 333, 333, 333, 333, 500, 500, 500, 500, 666, 666, 666,
                              666, 833, 833, 833, 833}));
}

TEST_F(FolderPurgeWineTest, FlagOffLeavesSubFoldersAlone) {
  File("a.txt");
  File("sub\\c.txt");
  FolderPurge purge = Purge();
  const int expected = purge.CountFolderFiles(root, false);
  EXPECT_EQ(expected, 1);
  EXPECT_EQ(purge.PurgeFolder(nullptr, root, false, 0, expected, 0, 1000), 1);
  EXPECT_FALSE(FileExists(root + "a.txt"));
  EXPECT_TRUE(FileExists(root + "sub\\c.txt"));
}

TEST_F(FolderPurgeWineTest, RefusedSubFolderKeepsItsFiles) {
  File("a.txt");
  File("바탕 화면\\x.txt");
  File("z.txt");
  settings.cleanCache = true;
  FolderPurge purge = Purge();
  const int expected = purge.CountFolderFiles(root, true);
  EXPECT_EQ(expected, 3);
  EXPECT_EQ(purge.PurgeFolder(&settings.cleanCache, root, true, 0, expected, 0, 1000), 2);
  EXPECT_FALSE(settings.cleanCache);
  ASSERT_EQ(view.shown.size(), 1u);
  EXPECT_EQ(view.shown[0],
            "경고: 경로가 윈도우 중요 폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n"
            "해당 삭제 설정을 해제합니다.");
  EXPECT_EQ(view.styles[0], static_cast<unsigned>(MB_ICONHAND));
  EXPECT_FALSE(FileExists(root + "a.txt"));
  EXPECT_FALSE(FileExists(root + "z.txt"));
  EXPECT_TRUE(FileExists(root + "바탕 화면\\x.txt"));
}

// links\temp holds a.txt, sub\b.txt and three Linux directory links made by
// folder_purge_test.fixture.sh: docs_link and sub\again_link to links\docs
// (canary.txt, sub\inner.txt) and hollow_link to the empty links\hollow.
TEST_F(FolderPurgeWineTest, DirectoryLinksAreNotFollowed) {
  const std::string links = ScratchFolder() + "links\\";
  const std::string temp = links + "temp\\";
  WIN32_FIND_DATAA data;
  HANDLE found = FindFirstFileA((temp + "docs_link").c_str(), &data);
  ASSERT_NE(found, INVALID_HANDLE_VALUE) << "the fixture made no links";
  FindClose(found);
  ASSERT_EQ(data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));

  FolderPurge purge = Purge();
  const int expected = purge.CountFolderFiles(temp, true);
  EXPECT_EQ(expected, 2);
  EXPECT_EQ(purge.PurgeFolder(&settings.cleanTemp, temp, true, 0, expected, 0, 1000), 2);
  EXPECT_FALSE(FileExists(temp + "a.txt"));
  EXPECT_FALSE(FileExists(temp + "sub\\b.txt"));
  EXPECT_EQ(ReadBytes(links + "docs\\canary.txt"), "canary");
  EXPECT_EQ(ReadBytes(links + "docs\\sub\\inner.txt"), "inner");
  EXPECT_TRUE(IsFolder(links + "hollow"));
  EXPECT_TRUE(IsFolder(temp + "docs_link"));
  EXPECT_TRUE(IsFolder(temp + "hollow_link"));
  EXPECT_TRUE(IsFolder(temp + "sub\\again_link"));
  EXPECT_TRUE(view.shown.empty());
}

std::wstring Wide(const std::string& ansi) {
  std::wstring wide(ansi.size(), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length));
  return wide;
}

bool WideExists(const std::wstring& path) {
  return GetFileAttributesW((L"\\\\?\\" + path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WideFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// Names the code page cannot hold, names it can, and a file far below
// MAX_PATH's reach: the count, the sizes and the purge see them all.
TEST_F(FolderPurgeWineTest, EveryNameAndEveryDepthGoes) {
  const std::wstring temp = Wide(root) + L"temp";
  ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));
  const std::vector<std::wstring> names = {L"Beyonc\u00e9.lnk", L"na\u00efve.txt",
                                           L"\xD83D\xDE00.txt", Wide("한글.txt"),
                                           Wide("漢字.txt"), L"plain.txt"};
  std::uint32_t bytes = 0;
  for (const std::wstring& name : names) {
    WideFile(temp + L"\\" + name, "12345");
    bytes += 5;
  }
  const std::wstring accented = temp + L"\\sub_\u00e9";
  ASSERT_TRUE(CreateDirectoryW(accented.c_str(), nullptr));
  WideFile(accented + L"\\inner.txt", "123");
  bytes += 3;
  std::wstring deep = temp;
  for (int level = 0; level < 6; ++level) {
    deep += L"\\" + std::wstring(45, static_cast<wchar_t>(L'a' + level));
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
  }
  const std::wstring deepFile = deep + L"\\deep_\u00e9.txt";
  ASSERT_GT(deepFile.size(), 300u);
  WideFile(deepFile, "1234567");
  bytes += 7;
  WriteBytes(root + "outside.txt", "stays");

  const std::string tempPath = root + "temp";
  EXPECT_EQ(FolderSize(files, pump, tempPath, true), bytes);
  FolderPurge purge = Purge();
  const int expected = purge.CountFolderFiles(tempPath, true);
  EXPECT_EQ(expected, static_cast<int>(names.size()) + 2);
  EXPECT_EQ(purge.PurgeFolder(&settings.cleanTemp, tempPath, true, 0, expected, 0, 1000), expected);

  for (const std::wstring& name : names) EXPECT_FALSE(WideExists(temp + L"\\" + name));
  EXPECT_FALSE(WideExists(accented));
  EXPECT_FALSE(WideExists(deepFile));
  EXPECT_FALSE(WideExists(temp + L"\\" + std::wstring(45, L'a')));
  EXPECT_TRUE(WideExists(temp));
  EXPECT_EQ(ReadBytes(root + "outside.txt"), "stays");
  EXPECT_EQ(FolderSize(files, pump, tempPath, true), 0u);
  EXPECT_TRUE(view.shown.empty());
}

TEST(WidePathTest, NamesTheCodePageCannotHoldTravelEncodedAndComeBackWhole) {
  EXPECT_EQ(NarrowName(Wide("한글 漢字.txt")), "한글 漢字.txt");
  EXPECT_EQ(NarrowName(L"na\u00efve"), "\xFF" "006E006100EF00760065");
  EXPECT_EQ(NarrowName(L"\xD83D\xDE00"), "\xFF" "D83DDE00");
  for (const std::wstring& path :
       {std::wstring(L"C:\\t\\na\u00efve.txt"), std::wstring(L"C:\\\xD83D\xDE00\\\u00e9\\x"),
        Wide("C:\\바탕 화면\\a.txt"), std::wstring(L"\\\\server\\share\\\u00e9")}) {
    EXPECT_EQ(WidePath(NarrowPath(path)), path);
  }
  // Text that merely looks like the encoded form is read as the code page's.
  EXPECT_EQ(WidePath("C:\\\xFF" "12"), Wide("C:\\\xFF" "12"));
  EXPECT_EQ(ExactPathForm(L"C:\\a\\b.\\*.*"), L"\\\\?\\C:\\a\\b.\\*.*");
  EXPECT_EQ(ExactPathForm(L"\\\\srv\\share\\a"), L"\\\\?\\UNC\\srv\\share\\a");
  for (const wchar_t* unresolved : {L"C:\\a\\..\\b", L"C:\\a\\\\b", L"C:/a", L"a\\b", L"C:a",
                                    L"\\\\?\\C:\\a", L"\\\\.\\C:\\a"}) {
    EXPECT_EQ(ExactPathForm(unresolved), unresolved);
  }
}

TEST_F(FolderPurgeWineTest, SystemFoldersComeFromTheRunningSystem) {
  char windows[MAX_PATH] = {};
  char system[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  GetSystemDirectoryA(system, MAX_PATH);
  const SystemFolders folders = RunningSystemFolders();
  EXPECT_EQ(folders.windowsFolder, windows);
  EXPECT_EQ(folders.systemFolder, system);
  EXPECT_FALSE(folders.windowsFolder.empty());
  EXPECT_FALSE(folders.systemFolder.empty());
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string self = module;
  EXPECT_EQ(folders.programFolders, std::vector<std::string>{self.substr(0, self.rfind('\\'))});
}

}  // namespace
}  // namespace vantrel
