// Counting and emptying real folders through the Win32 file adapter.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "engine/folder_purge.h"
#include "engine/folder_purge_win32.h"
#include "platform/progress_view.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_pump_win32.h"
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
}

}  // namespace
}  // namespace vantrel
