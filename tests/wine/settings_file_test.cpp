// "SetupData.Sav" through the real Win32 file adapter, beside a real program file.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_box_win32.h"
#include "platform/win32/module_path_win32.h"
#include "platform/win32/text_converter_win32.h"
#include "settings/settings_file.h"
#include "settings/setup_data.h"
#include "stored_settings.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;
constexpr auto kSaved = SettingsFile::SaveResult::kSaved;
constexpr auto kFailed = SettingsFile::SaveResult::kFailed;

class RecordingBoxes : public MessageBoxes {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned) override {
    shown.push_back(caption + ": " + text);
    return 1;
  }
  std::vector<std::string> shown;
};

class SettingsFileWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA(path.c_str());
    DeleteFileA((path + ".bad").c_str());
    DeleteFileA((path + ".bad2").c_str());
    DeleteFileA((path + ".tmp").c_str());
  }
  void TearDown() override { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); }

  SettingsFile MakeFile() { return SettingsFile(files, boxes, converter, RunningProgramFileName()); }

  Win32FileSystem files;
  RecordingBoxes boxes;
  Win32TextConverter converter;
  const std::string path = SettingsFilePath(RunningProgramFileName());
  SetupData settings;
};

TEST_F(SettingsFileWineTest, TheFileLiesBesideTheRunningProgram) {
  EXPECT_EQ(path, ScratchFolder() + "SetupData.Sav");
}

TEST_F(SettingsFileWineTest, MissingFileGivesDefaultsAndSaveWritesFiftyTwoBytes) {
  SettingsFile file = MakeFile();
  file.LoadSettings(settings);
  EXPECT_TRUE(boxes.shown.empty());
  ASSERT_EQ(file.SaveSettings(settings), kSaved);
  EXPECT_EQ(ReadBytes(path), DefaultSettingsBytes());
  EXPECT_EQ(ReadBytes(path).size(), 52u);
  EXPECT_FALSE(FileExists(path + ".tmp"));
}

TEST_F(SettingsFileWineTest, RoundTripOfKoreanEntries) {
  UserEntry entry;
  entry.name = "바탕 화면 정리";
  entry.dirs = {"Dir:C:\\임시 폴더"};
  entry.regKeys = {"Reg:HKEY_CURRENT_USER\\Software\\청소"};
  entry.includeSubfolders = true;
  settings.AddEntry(entry);
  settings.cleanRecycleBin = false;
  ASSERT_EQ(MakeFile().SaveSettings(settings), kSaved);

  SetupData restored;
  MakeFile().LoadSettings(restored);
  ASSERT_EQ(restored.userEntries.size(), 1u);
  EXPECT_EQ(restored.userEntries[0]->name, entry.name);
  EXPECT_EQ(restored.userEntries[0]->dirs, entry.dirs);
  EXPECT_EQ(restored.userEntries[0]->regKeys, entry.regKeys);
  EXPECT_FALSE(restored.cleanRecycleBin);
}

TEST_F(SettingsFileWineTest, VersionNineShowsTheMessageOnceIsKeptAsBadAndIsRewrittenAsTen) {
  std::string old = DefaultSettingsBytes();
  old[0] = 9;
  WriteBytes(path, old);
  SettingsFile file = MakeFile();
  file.LoadSettings(settings);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0], "ERROR: Save 파일 버젼이 다릅니다.");
  ASSERT_EQ(file.SaveSettings(settings), kSaved);
  EXPECT_EQ(ReadBytes(path), DefaultSettingsBytes());
  EXPECT_EQ(ReadBytes(path + ".bad"), old);
}

TEST_F(SettingsFileWineTest, AReadOnlyFileIsLeftAsItWas) {
  WriteBytes(path, "keep me");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(MakeFile().SaveSettings(settings), kFailed);
  EXPECT_EQ(ReadBytes(path), "keep me");
  EXPECT_FALSE(FileExists(path + ".tmp"));
}

TEST_F(SettingsFileWineTest, AFileHeldOpenIsNotTruncated) {
  WriteBytes(path, "held open");
  HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(MakeFile().SaveSettings(settings), kFailed);
  CloseHandle(holder);
  EXPECT_EQ(ReadBytes(path), "held open");
}

TEST_F(SettingsFileWineTest, ReplacingAnOldFileLeavesOnlyTheNewOne) {
  WriteBytes(path, std::string(5000, 'x'));
  ASSERT_EQ(MakeFile().SaveSettings(settings), kSaved);
  EXPECT_EQ(ReadBytes(path), DefaultSettingsBytes());
  EXPECT_FALSE(FileExists(path + ".tmp"));
}

TEST_F(SettingsFileWineTest, ADamagedFileIsKeptAsBad) {
  const std::string damaged = DefaultSettingsBytes().substr(0, 30);
  WriteBytes(path, damaged);
  SettingsFile file = MakeFile();
  file.LoadSettings(settings);
  ASSERT_EQ(file.SaveSettings(settings), kSaved);
  EXPECT_EQ(ReadBytes(path + ".bad"), damaged);
  EXPECT_EQ(ReadBytes(path), DefaultSettingsBytes());

  // Damaged again: the first copy stays, the second gets a name of its own.
  const std::string again = DefaultSettingsBytes().substr(0, 20);
  WriteBytes(path, again);
  SettingsFile next = MakeFile();
  next.LoadSettings(settings);
  ASSERT_EQ(next.SaveSettings(settings), kSaved);
  EXPECT_EQ(ReadBytes(path + ".bad"), damaged);
  EXPECT_EQ(ReadBytes(path + ".bad2"), again);
}

TEST_F(SettingsFileWineTest, AFileHeldOpenAtStartIsNotOverwritten) {
  WriteBytes(path, "held open");
  HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  SettingsFile file = MakeFile();
  file.LoadSettings(settings);
  CloseHandle(holder);
  EXPECT_EQ(file.SaveSettings(settings), SettingsFile::SaveResult::kLeftAlone);
  EXPECT_EQ(ReadBytes(path), "held open");
  EXPECT_FALSE(FileExists(path + ".bad"));
}

TEST_F(SettingsFileWineTest, TheFileAdapterCopiesWithoutReplacingAndTellsTheNewerFile) {
  WriteBytes(path, "first");
  WriteBytes(path + ".bad", "older");
  EXPECT_FALSE(files.Copy(path, path + ".bad"));
  EXPECT_EQ(ReadBytes(path + ".bad"), "older");
  ASSERT_TRUE(files.Copy(path, path + ".bad2"));
  EXPECT_EQ(ReadBytes(path + ".bad2"), "first");

  std::uint64_t older = 0, newer = 0;
  ASSERT_TRUE(files.LastWriteTime(path + ".bad", older));
  Sleep(50);
  WriteBytes(path, "second");
  ASSERT_TRUE(files.LastWriteTime(path, newer));
  EXPECT_GT(newer, older);
  EXPECT_FALSE(files.LastWriteTime(path + ".missing", newer));

  const std::string folder = ScratchFolder() + "made";
  EXPECT_TRUE(files.MakeFolder(folder));
  EXPECT_TRUE(files.MakeFolder(folder)) << "a folder that is there already counts as made";
  EXPECT_FALSE(files.MakeFolder(path)) << "a file is no folder";
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace vantrel
