// Reading and writing "SetupData.Sav" beside the program, through the file port.
#include <gtest/gtest.h>

#include "fakes/iconv_text_converter.h"
#include "fakes/memory_file_system.h"
#include "fakes/recording_message_boxes.h"
#include "settings/archive.h"
#include "settings/settings_file.h"
#include "settings/setup_data.h"

namespace vantrel {
namespace {

using testing::IconvTextConverter;
using testing::MemoryFileSystem;
using testing::RecordingMessageBoxes;

TEST(SettingsFilePathTest, OneBackslashBeforeTheFileName) {
  EXPECT_EQ(SettingsFilePath("C:\\Program Files\\Vantrel\\Qorv.exe"),
            "C:\\Program Files\\Vantrel\\SetupData.Sav");
  EXPECT_EQ(SettingsFilePath("C:\\Qorv.exe"), "C:\\SetupData.Sav");
  EXPECT_EQ(SettingsFilePath("D:\\청소\\Qorv.exe"), "D:\\청소\\SetupData.Sav");
}

class SettingsFileTest : public ::testing::Test {
 protected:
  static constexpr const char* kExe = "C:\\Vantrel\\Qorv.exe";
  static constexpr const char* kPath = "C:\\Vantrel\\SetupData.Sav";

  SettingsFile MakeFile() { return SettingsFile(files, messages, converter, kExe); }

  static std::string DefaultFile() {
    SetupData defaults;
    ArchiveWriter writer;
    defaults.Store(writer);
    return writer.Bytes();
  }

  MemoryFileSystem files;
  RecordingMessageBoxes messages;
  IconvTextConverter converter;
  SetupData settings;
};

TEST_F(SettingsFileTest, MissingFileKeepsDefaultsSilentlyAndExitWritesFiftyTwoBytes) {
  files.AddDirectory("C:\\Vantrel");
  SettingsFile file = MakeFile();
  file.LoadSettings(settings);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(settings.CountEnabledCategories(), 11);
  ASSERT_TRUE(file.SaveSettings(settings));
  EXPECT_EQ(files.Contents(kPath), DefaultFile());
  EXPECT_EQ(files.Contents(kPath).size(), 52u);
  EXPECT_FALSE(files.HasFile(file.TemporaryPath()));
}

TEST_F(SettingsFileTest, SaveThenLoadRestoresTheRecord) {
  files.AddDirectory("C:\\Vantrel");
  settings.cleanRealOne = false;
  UserEntry entry;
  entry.name = "내 폴더";
  entry.dirs = {"Dir:C:\\Mine"};
  settings.AddEntry(entry);
  ASSERT_TRUE(MakeFile().SaveSettings(settings));

  SetupData restored;
  MakeFile().LoadSettings(restored);
  EXPECT_FALSE(restored.cleanRealOne);
  ASSERT_EQ(restored.userEntries.size(), 1u);
  EXPECT_EQ(restored.userEntries[0]->name, "내 폴더");
}

TEST_F(SettingsFileTest, SaveWritesATemporaryFileAndReplacesTheOldOneOnlyWhenComplete) {
  files.AddFile(kPath, "old contents");
  SettingsFile file = MakeFile();
  ASSERT_TRUE(file.SaveSettings(settings));
  const std::vector<std::string> expected = {
      "Write C:\\Vantrel\\SetupData.Sav.tmp",
      "MoveReplacing C:\\Vantrel\\SetupData.Sav.tmp C:\\Vantrel\\SetupData.Sav",
  };
  EXPECT_EQ(files.calls, expected);
}

TEST_F(SettingsFileTest, AFolderThatCannotBeWrittenLeavesTheOldFile) {
  files.AddFile(kPath, "old contents");
  files.FailWritesUnder("C:\\Vantrel\\");
  EXPECT_FALSE(MakeFile().SaveSettings(settings));
  EXPECT_EQ(files.Contents(kPath), "old contents");
  EXPECT_FALSE(files.HasFile("C:\\Vantrel\\SetupData.Sav.tmp"));
}

TEST_F(SettingsFileTest, AReadOnlyFileStaysAsItWas) {
  files.AddFile(kPath, "old contents");
  files.SetReadOnly(kPath);
  EXPECT_FALSE(MakeFile().SaveSettings(settings));
  EXPECT_EQ(files.Contents(kPath), "old contents");
  EXPECT_FALSE(files.HasFile("C:\\Vantrel\\SetupData.Sav.tmp"));
}

TEST_F(SettingsFileTest, OtherVersionShowsTheMessageAndIsOverwrittenWithVersionTen) {
  std::string bytes = DefaultFile();
  bytes[0] = 9;
  bytes[4] = 0;  // cleanCache off in the old file: not taken over
  files.AddFile(kPath, bytes);
  SettingsFile file = MakeFile();
  file.LoadSettings(settings);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Save 파일 버젼이 다릅니다.");
  EXPECT_TRUE(settings.cleanCache);
  ASSERT_TRUE(file.SaveSettings(settings));
  EXPECT_EQ(files.Contents(kPath), DefaultFile());
  EXPECT_FALSE(files.HasFile(file.DamagedCopyPath()));
}

TEST_F(SettingsFileTest, ADamagedFileIsKeptAsBadBeforeTheNextSave) {
  const std::string damaged = DefaultFile().substr(0, 48) + "\x05";
  files.AddFile(kPath, damaged);
  SettingsFile file = MakeFile();
  file.LoadSettings(settings);
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_TRUE(file.SaveSettings(settings));
  EXPECT_EQ(files.Contents("C:\\Vantrel\\SetupData.Sav.bad"), damaged);
  EXPECT_EQ(files.Contents(kPath), DefaultFile());

  // The copy is made once: a second save in the same run leaves it alone.
  files.calls.clear();
  ASSERT_TRUE(file.SaveSettings(settings));
  for (const auto& call : files.calls) EXPECT_EQ(call.find("CopyFile"), std::string::npos) << call;
}

TEST_F(SettingsFileTest, ADamagedFileWhoseCopyFailsIsNotOverwritten) {
  const std::string damaged = "\x0A\x00";
  files.AddFile(kPath, damaged);
  files.FailWritesUnder("C:\\Vantrel\\SetupData.Sav.bad");
  SettingsFile file = MakeFile();
  file.LoadSettings(settings);
  EXPECT_FALSE(file.SaveSettings(settings));
  EXPECT_EQ(files.Contents(kPath), damaged);
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadIsKeptBeforeItIsOverwritten) {
  files.AddFile(kPath, "unreadable");
  files.FailReadsOf(kPath);
  SettingsFile file = MakeFile();
  file.LoadSettings(settings);
  EXPECT_EQ(settings.CountEnabledCategories(), 11);
  ASSERT_TRUE(file.SaveSettings(settings));
  EXPECT_EQ(files.Contents(file.DamagedCopyPath()), "unreadable");
}

}  // namespace
}  // namespace vantrel
