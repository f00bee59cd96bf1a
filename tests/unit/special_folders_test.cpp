#include "engine/special_folders.h"

#include <gtest/gtest.h>

#include "fakes/fake_shell.h"
#include "settings/setup_data.h"

namespace vantrel {
namespace {

using testing::FakeShell;

const std::string kZeroBuffer(kShellPathSize, '\0');

class SpecialFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shell.folders = {{csidl::kCookies, "C:\\Profile\\Cookies"},
                     {csidl::kInternetCache, "C:\\Profile\\Cache"},
                     {csidl::kRecent, "C:\\Profile\\Recent"},
                     {csidl::kHistory, "C:\\Profile\\History"}};
    shell.tempFolder = "C:\\Profile\\Temp\\";
  }
  FakeShell shell;
  SetupData setup;
};

TEST_F(SpecialFoldersTest, StoresTheFiveFoldersInOrder) {
  FindSpecialFolders(shell, setup);
  EXPECT_EQ(setup.cookieFolder, "C:\\Profile\\Cookies");
  EXPECT_EQ(setup.cacheFolder, "C:\\Profile\\Cache");
  EXPECT_EQ(setup.recentFolder, "C:\\Profile\\Recent");
  EXPECT_EQ(setup.historyFolder, "C:\\Profile\\History");
  EXPECT_EQ(setup.tempFolder, "C:\\Profile\\Temp\\");
  EXPECT_EQ(shell.calls, (std::vector<std::string>{"SpecialFolderPath 33", "SpecialFolderPath 32",
                                                   "SpecialFolderPath 8", "SpecialFolderPath 34",
                                                   "TempPath 260"}));
}

TEST_F(SpecialFoldersTest, EveryLookupGetsAClearedBuffer) {
  FindSpecialFolders(shell, setup);
  ASSERT_EQ(shell.buffersSeen.size(), 5u);
  for (const std::string& buffer : shell.buffersSeen) EXPECT_EQ(buffer, kZeroBuffer);
}

// A failed lookup must not inherit the previous folder's path: the temp step
// would then empty the History folder.
TEST_F(SpecialFoldersTest, FailedLookupLeavesItsFolderEmpty) {
  shell.folders.erase(csidl::kRecent);
  shell.folders.erase(csidl::kHistory);
  shell.tempAvailable = false;
  FindSpecialFolders(shell, setup);
  EXPECT_EQ(setup.cacheFolder, "C:\\Profile\\Cache");
  EXPECT_EQ(setup.recentFolder, "");
  EXPECT_EQ(setup.historyFolder, "");
  EXPECT_EQ(setup.tempFolder, "");
}

TEST_F(SpecialFoldersTest, FailedTempLookupAfterHistoryLeavesTempEmpty) {
  shell.tempAvailable = false;
  FindSpecialFolders(shell, setup);
  EXPECT_EQ(setup.historyFolder, "C:\\Profile\\History");
  EXPECT_EQ(setup.tempFolder, "");
}

TEST_F(SpecialFoldersTest, FailedCacheCallAfterClearingStoresEmptyText) {
  shell.folders.erase(csidl::kInternetCache);
  shell.folders.erase(csidl::kRecent);
  FindSpecialFolders(shell, setup);
  EXPECT_EQ(setup.cookieFolder, "C:\\Profile\\Cookies");
  EXPECT_EQ(setup.cacheFolder, "");
  EXPECT_EQ(setup.recentFolder, "");
  EXPECT_EQ(setup.historyFolder, "C:\\Profile\\History");
}

TEST_F(SpecialFoldersTest, FailedCookieCallStoresEmptyText) {
  shell.folders.erase(csidl::kCookies);
  FindSpecialFolders(shell, setup);
  EXPECT_EQ(setup.cookieFolder, "");
  EXPECT_EQ(setup.cacheFolder, "C:\\Profile\\Cache");
}

TEST_F(SpecialFoldersTest, ShorterPathOverALongerOneKeepsOnlyItsOwnText) {
  shell.folders[csidl::kRecent] = "C:\\R";
  shell.tempFolder = "C:\\T\\";
  FindSpecialFolders(shell, setup);
  EXPECT_EQ(setup.recentFolder, "C:\\R");
  EXPECT_EQ(setup.tempFolder, "C:\\T\\");
}

TEST_F(SpecialFoldersTest, TempPathTooLongForTheBufferIsLeftEmpty) {
  shell.tempFolder = "C:\\" + std::string(300, 'x') + "\\";
  FindSpecialFolders(shell, setup);
  EXPECT_EQ(setup.tempFolder, "");
}

}  // namespace
}  // namespace vantrel
