// The special folders, the folder sizes and the Recycle Bin through the real
// shell and file adapters.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include "engine/folder_survey.h"
#include "engine/special_folders.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_pump_win32.h"
#include "platform/win32/shell_win32.h"
#include "settings/setup_data.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr std::size_t kMegabyte = 1048576;

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string TempPathOfTheSystem() {
  char buffer[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, buffer);
  return buffer;
}

// Moves path into the Recycle Bin the way Explorer deletes a file.
bool MoveToRecycleBin(const std::string& path) {
  std::string from = path + '\0';
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  return SHFileOperationA(&operation) == 0;
}

// A directory link (a Linux symlink under Wine), or false when there are
// none; looked up at run time because the program itself targets Windows XP.
bool MakeDirectoryLink(const std::string& link, const std::string& target) {
  using CreateLink = BOOLEAN(WINAPI*)(LPCSTR, LPCSTR, DWORD);
  const auto create = reinterpret_cast<CreateLink>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
  constexpr DWORD kDirectoryLink = 0x1;
  return create != nullptr && create(link.c_str(), target.c_str(), kDirectoryLink);
}

class FolderSurveyWineTest : public ::testing::Test {
 protected:
  Win32FileSystem files;
  Win32MessagePump pump;
  Win32Shell shell;
  SetupData settings;
};

TEST_F(FolderSurveyWineTest, FindsTheShellsFolders) {
  FindSpecialFolders(shell, settings);
  EXPECT_TRUE(EndsWith(settings.cacheFolder, "\\INetCache")) << settings.cacheFolder;
  EXPECT_TRUE(EndsWith(settings.cookieFolder, "\\INetCookies")) << settings.cookieFolder;
  EXPECT_TRUE(EndsWith(settings.historyFolder, "\\History")) << settings.historyFolder;
  EXPECT_TRUE(EndsWith(settings.recentFolder, "\\Recent")) << settings.recentFolder;
  EXPECT_EQ(settings.tempFolder, TempPathOfTheSystem());
  EXPECT_EQ(settings.tempFolder.back(), '\\');
  for (const std::string* folder : {&settings.cacheFolder, &settings.cookieFolder,
                                    &settings.historyFolder, &settings.recentFolder}) {
    EXPECT_EQ(folder->rfind("C:\\", 0), 0u) << *folder;
    EXPECT_NE(folder->back(), '\\') << *folder;
  }
}

TEST_F(FolderSurveyWineTest, SurveyTextNamesTheRealFolders) {
  FindSpecialFolders(shell, settings);
  const std::string text = BuildSurveyText(files, pump, shell, settings);
  for (const std::string& line :
       {"캐시 폴더: " + settings.cacheFolder + "\r\n크기: ", "쿠키 폴더: " + settings.cookieFolder + "\r\n크기: ",
        "인터넷 기록 폴더: " + settings.historyFolder + "\r\n크기: ",
        "윈도우 템프 폴더: " + settings.tempFolder + "\r\n크기: ",
        "최근 실행 리스트 폴더: " + settings.recentFolder + "\r\n크기: "}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  EXPECT_NE(text.find("휴지통 크기: "), std::string::npos) << text;
  EXPECT_TRUE(EndsWith(text, " MB\r\n")) << text;
}

TEST_F(FolderSurveyWineTest, RealFolderOfKnownSizeGivesItsLine) {
  const std::string folder = MakeFolder(ScratchFolder() + "cache");
  WriteBytes(folder + "a.bin", std::string(kMegabyte, 'a'));
  MakeFolder(folder + "sub");
  WriteBytes(folder + "sub\\b.bin", std::string(kMegabyte / 2, 'b'));
  EXPECT_EQ(FolderSize(files, pump, folder, true), 1572864u);
  EXPECT_EQ(FolderSize(files, pump, folder, false), kMegabyte);

  settings.cacheFolder = folder.substr(0, folder.size() - 1);
  settings.cookieFolder = ScratchFolder() + "missing";
  const std::string text = BuildSurveyText(files, pump, shell, settings);
  EXPECT_EQ(text.rfind("캐시 폴더: " + settings.cacheFolder + "\r\n크기: 1.5 MB\r\n쿠키 폴더: " +
                           settings.cookieFolder + "\r\n크기: 0.0 MB\r\n",
                       0),
            0u)
      << text;
}

TEST_F(FolderSurveyWineTest, DirectoryLinkIsNotFollowed) {
  const std::string folder = MakeFolder(ScratchFolder() + "linked");
  WriteBytes(folder + "a.bin", std::string(1000, 'a'));
  const std::string elsewhere = MakeFolder(ScratchFolder() + "elsewhere");
  WriteBytes(elsewhere + "big.bin", std::string(kMegabyte, 'b'));
  if (!MakeDirectoryLink(folder + "loop", folder) || !MakeDirectoryLink(folder + "away", elsewhere)) {
    GTEST_SKIP() << "no directory links here (error " << GetLastError() << ")";
  }
  const DWORD attributes = GetFileAttributesA((folder + "loop").c_str());
  ASSERT_NE(attributes & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << std::hex << attributes;
  EXPECT_EQ(FolderSize(files, pump, folder, true), 1000u);
}

TEST_F(FolderSurveyWineTest, RecycleBinSizeFollowsWhatIsInIt) {
  ASSERT_TRUE(shell.EmptyRecycleBin(recycle_bin::kNoConfirmation | recycle_bin::kNoProgressUi |
                                    recycle_bin::kNoSound));
  RecycleBinInfo empty = shell.QueryRecycleBin();
  ASSERT_TRUE(empty.ok);
  EXPECT_EQ(empty.size, 0);
  EXPECT_EQ(empty.items, 0);

  const std::string file = ScratchFolder() + "binned.bin";
  WriteBytes(file, std::string(3 * kMegabyte + kMegabyte / 2, 'r'));
  ASSERT_TRUE(MoveToRecycleBin(file));
  ASSERT_FALSE(FileExists(file));
  const RecycleBinInfo full = shell.QueryRecycleBin();
  ASSERT_TRUE(full.ok);
  EXPECT_EQ(full.size, static_cast<std::int64_t>(3 * kMegabyte + kMegabyte / 2));
  EXPECT_EQ(full.items, 1);
  const std::string text = BuildSurveyText(files, pump, shell, settings);
  EXPECT_TRUE(EndsWith(text, "\r\n휴지통 크기: 3.5 MB\r\n")) << text;

  EXPECT_TRUE(shell.EmptyRecycleBin(7));
  EXPECT_EQ(shell.QueryRecycleBin().size, 0);
}

}  // namespace
}  // namespace vantrel
