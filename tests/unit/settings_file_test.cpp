// Reading and writing "SetupData.Sav" beside the program, through the file port.
#include <gtest/gtest.h>

#include <new>

#include "fakes/fake_shell.h"
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
using testing::FakeShell;
using testing::RecordingMessageBoxes;
constexpr auto kSaved = SettingsFile::SaveResult::kSaved;
constexpr auto kFailed = SettingsFile::SaveResult::kFailed;
constexpr auto kLeftAlone = SettingsFile::SaveResult::kLeftAlone;

TEST(SettingsFilePathTest, OneBackslashBeforeTheFileName) {
  EXPECT_EQ(SettingsFilePath("C:\\Program Files\\Vantrel\\Qorv.exe"),
            "C:\\Program Files\\Vantrel\\SetupData.Sav");
  EXPECT_EQ(SettingsFilePath("C:\\Qorv.exe"), "C:\\SetupData.Sav");
  EXPECT_EQ(SettingsFilePath("D:\\청소\\Qorv.exe"), "D:\\청소\\SetupData.Sav");
  // A program whose own name could not be read has no folder: the settings
  // must not land in the root of the current drive.
  EXPECT_EQ(SettingsFilePath(""), "");
  EXPECT_EQ(SettingsFilePath("Qorv.exe"), "");
}

TEST(SettingsFilePathTest, TheFallbackFolderIsVantrelInTheApplicationDataFolder) {
  FakeShell shell;
  EXPECT_EQ(FallbackSettingsFolder(shell), "");
  shell.folders[0x1A] = "C:\\Users\\kim\\AppData\\Roaming";
  EXPECT_EQ(FallbackSettingsFolder(shell), "C:\\Users\\kim\\AppData\\Roaming\\Vantrel");
  shell.folders[0x1A] = "C:\\";
  EXPECT_EQ(FallbackSettingsFolder(shell), "C:\\Vantrel");
}

class SettingsFileTest : public ::testing::Test {
 protected:
  static constexpr const char* kExe = "C:\\Vantrel\\Qorv.exe";
  static constexpr const char* kPath = "C:\\Vantrel\\SetupData.Sav";

  static constexpr const char* kAppData = "C:\\AppData\\Vantrel";
  static constexpr const char* kAppDataPath = "C:\\AppData\\Vantrel\\SetupData.Sav";

  SettingsFile MakeFile() { return SettingsFile(files, messages, converter, kExe); }
  SettingsFile MakeFileWithFallback(const char* exe = kExe) {
    files.AddDirectory("C:\\AppData");
    return SettingsFile(files, messages, converter, exe, kAppData);
  }

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
  ASSERT_EQ(file.SaveSettings(settings), kSaved);
  EXPECT_EQ(files.Contents(kPath), DefaultFile());
  EXPECT_EQ(files.Contents(kPath).size(), 52u);
  EXPECT_FALSE(files.HasFile(SettingsFile::TemporaryPath(kPath)));
}

TEST_F(SettingsFileTest, SaveThenLoadRestoresTheRecord) {
  files.AddDirectory("C:\\Vantrel");
  settings.cleanRealOne = false;
  UserEntry entry;
  entry.name = "내 폴더";
  entry.dirs = {"Dir:C:\\Mine"};
  settings.AddEntry(entry);
  ASSERT_EQ(MakeFile().SaveSettings(settings), kSaved);

  SetupData restored;
  MakeFile().LoadSettings(restored);
  EXPECT_FALSE(restored.cleanRealOne);
  ASSERT_EQ(restored.userEntries.size(), 1u);
  EXPECT_EQ(restored.userEntries[0]->name, "내 폴더");
}

TEST_F(SettingsFileTest, SaveWritesATemporaryFileAndReplacesTheOldOneOnlyWhenComplete) {
  files.AddFile(kPath, "old contents");
  SettingsFile file = MakeFile();
  ASSERT_EQ(file.SaveSettings(settings), kSaved);
  const std::vector<std::string> expected = {
      "Write C:\\Vantrel\\SetupData.Sav.tmp",
      "MoveReplacing C:\\Vantrel\\SetupData.Sav.tmp C:\\Vantrel\\SetupData.Sav",
  };
  EXPECT_EQ(files.calls, expected);
}

TEST_F(SettingsFileTest, AFolderThatCannotBeWrittenLeavesTheOldFile) {
  files.AddFile(kPath, "old contents");
  files.FailWritesUnder("C:\\Vantrel\\");
  EXPECT_EQ(MakeFile().SaveSettings(settings), kFailed);
  EXPECT_EQ(files.Contents(kPath), "old contents");
  EXPECT_FALSE(files.HasFile("C:\\Vantrel\\SetupData.Sav.tmp"));
}

TEST_F(SettingsFileTest, AReadOnlyFileStaysAsItWas) {
  files.AddFile(kPath, "old contents");
  files.SetReadOnly(kPath);
  EXPECT_EQ(MakeFile().SaveSettings(settings), kFailed);
  EXPECT_EQ(files.Contents(kPath), "old contents");
  EXPECT_FALSE(files.HasFile("C:\\Vantrel\\SetupData.Sav.tmp"));
}

TEST_F(SettingsFileTest, OtherVersionShowsTheMessageIsKeptAsBadAndRewrittenAsVersionTen) {
  std::string bytes = DefaultFile();
  bytes[0] = 9;
  bytes[4] = 0;  // cleanCache off in the old file: not taken over
  files.AddFile(kPath, bytes);
  SettingsFile file = MakeFile();
  file.LoadSettings(settings);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Save 파일 버젼이 다릅니다.");
  EXPECT_TRUE(settings.cleanCache);
  ASSERT_EQ(file.SaveSettings(settings), kSaved);
  EXPECT_EQ(files.Contents(kPath), DefaultFile());
  EXPECT_EQ(files.Contents("C:\\Vantrel\\SetupData.Sav.bad"), bytes);
}

TEST_F(SettingsFileTest, ADamagedFileIsKeptAsBadBeforeTheNextSave) {
  const std::string damaged = DefaultFile().substr(0, 48) + "\x05";
  files.AddFile(kPath, damaged);
  SettingsFile file = MakeFile();
  file.LoadSettings(settings);
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_EQ(file.SaveSettings(settings), kSaved);
  EXPECT_EQ(files.Contents("C:\\Vantrel\\SetupData.Sav.bad"), damaged);
  EXPECT_EQ(files.Contents(kPath), DefaultFile());

  // The copy is made once: a second save in the same run leaves it alone.
  files.calls.clear();
  ASSERT_EQ(file.SaveSettings(settings), kSaved);
  for (const auto& call : files.calls) EXPECT_EQ(call.find("CopyFile"), std::string::npos) << call;
}

TEST_F(SettingsFileTest, ADamagedFileWhoseCopyFailsIsNotOverwritten) {
  const std::string damaged = "\x0A\x00";
  files.AddFile(kPath, damaged);
  files.FailWritesUnder("C:\\Vantrel\\SetupData.Sav.bad");
  SettingsFile file = MakeFile();
  file.LoadSettings(settings);
  EXPECT_EQ(file.SaveSettings(settings), kFailed);
  EXPECT_EQ(files.Contents(kPath), damaged);
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadIsNeverOverwrittenByDefaults) {
  files.AddFile(kPath, "held by another program");
  files.FailReadsOf(kPath);
  SettingsFile file = MakeFileWithFallback();
  file.LoadSettings(settings);
  EXPECT_EQ(settings.CountEnabledCategories(), 11);
  EXPECT_EQ(file.SaveSettingsOrWarn(settings), kLeftAlone);
  EXPECT_EQ(files.Contents(kPath), "held by another program");
  EXPECT_FALSE(files.HasFile("C:\\Vantrel\\SetupData.Sav.bad"));
  EXPECT_FALSE(files.HasFile(kAppDataPath)) << "a newer file elsewhere would hide it at the next start";
  EXPECT_TRUE(messages.shown.empty());
}

// Anything that stops the read half way, a failed allocation included,
// leaves the file as unread.
TEST_F(SettingsFileTest, AReadThatThrowsLeavesTheFileAlone) {
  class FailingConverter : public TextConverter {
   public:
    std::string WideToAnsi(const std::u16string&) override { throw std::bad_alloc(); }
  } failing;
  const std::string wideName = DefaultFile().substr(0, 48) + std::string("\x01\0\0\0\0\0\0\0\xFF\xFE\xFF\x01" "a\0", 14);
  files.AddFile(kPath, wideName);
  SettingsFile file(files, messages, failing, kExe);
  EXPECT_THROW(file.LoadSettings(settings), std::bad_alloc);
  EXPECT_EQ(file.SaveSettings(settings), kLeftAlone);
  EXPECT_EQ(files.Contents(kPath), wideName);
}

TEST_F(SettingsFileTest, ABadCopyNeverReplacesAnOlderOne) {
  const std::string damaged = DefaultFile().substr(0, 30);
  files.AddFile(kPath, damaged);
  files.AddFile("C:\\Vantrel\\SetupData.Sav.bad", "older damage");
  files.AddFile("C:\\Vantrel\\SetupData.Sav.bad2", "even older damage");
  SettingsFile file = MakeFile();
  file.LoadSettings(settings);
  ASSERT_EQ(file.SaveSettings(settings), kSaved);
  EXPECT_EQ(files.Contents("C:\\Vantrel\\SetupData.Sav.bad"), "older damage");
  EXPECT_EQ(files.Contents("C:\\Vantrel\\SetupData.Sav.bad2"), "even older damage");
  EXPECT_EQ(files.Contents("C:\\Vantrel\\SetupData.Sav.bad3"), damaged);
  EXPECT_EQ(files.Contents(kPath), DefaultFile());
}

TEST_F(SettingsFileTest, WithEveryCopyNameTakenTheDamagedFileIsNotOverwritten) {
  const std::string damaged = DefaultFile().substr(0, 30);
  files.AddFile(kPath, damaged);
  SettingsFile file = MakeFile();
  for (int n = 1; n <= 99; ++n) {
    files.AddFile(std::string(kPath) + ".bad" + (n == 1 ? "" : std::to_string(n)), "old");
  }
  file.LoadSettings(settings);
  EXPECT_EQ(file.FreeDamagedCopyPath(kPath), "");
  EXPECT_EQ(file.SaveSettings(settings), kFailed);
  EXPECT_EQ(files.Contents(kPath), damaged);
}

TEST_F(SettingsFileTest, AProgramFolderThatCannotBeWrittenSendsTheSettingsToTheFallbackFolder) {
  files.AddFile(kPath, DefaultFile());
  files.FailWritesUnder("C:\\Vantrel\\");
  SettingsFile file = MakeFileWithFallback();
  file.LoadSettings(settings);
  settings.cleanTemp = false;
  ASSERT_EQ(file.SaveSettingsOrWarn(settings), kSaved);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(files.Contents(kPath), DefaultFile()) << "the file beside the program stays as it was";
  EXPECT_TRUE(files.HasDirectory(kAppData));

  // The next start reads the newer of the two.
  SetupData restarted;
  MakeFileWithFallback().LoadSettings(restarted);
  EXPECT_FALSE(restarted.cleanTemp);
}

TEST_F(SettingsFileTest, TheNewerOfTheTwoFilesIsRead) {
  SetupData beside;
  beside.cleanCache = false;
  SetupData inAppData;
  inAppData.cleanCookie = false;
  ArchiveWriter besideBytes, appDataBytes;
  beside.Store(besideBytes);
  inAppData.Store(appDataBytes);
  files.AddFile(kPath, besideBytes.Bytes());
  files.AddFile(kAppDataPath, appDataBytes.Bytes());

  for (const bool appDataNewer : {true, false}) {
    files.SetLastWriteTime(kPath, appDataNewer ? 100 : 200);
    files.SetLastWriteTime(kAppDataPath, appDataNewer ? 200 : 100);
    SetupData loaded;
    MakeFileWithFallback().LoadSettings(loaded);
    EXPECT_EQ(loaded.cleanCookie, !appDataNewer) << appDataNewer;
    EXPECT_EQ(loaded.cleanCache, appDataNewer) << appDataNewer;
  }

  // A writable program folder takes the next save, so its file is the
  // newer one from then on.
  files.SetLastWriteTime(kPath, 100);
  files.SetLastWriteTime(kAppDataPath, 200);
  SetupData loaded;
  SettingsFile file = MakeFileWithFallback();
  file.LoadSettings(loaded);
  ASSERT_EQ(file.SaveSettings(loaded), kSaved);
  EXPECT_EQ(files.Contents(kPath), appDataBytes.Bytes());
  SetupData again;
  MakeFileWithFallback().LoadSettings(again);
  EXPECT_FALSE(again.cleanCookie);
}

TEST_F(SettingsFileTest, WhenNothingCanBeWrittenTheUserIsToldOnceWithThePath) {
  files.AddFile(kPath, DefaultFile());
  files.FailWritesUnder("C:\\Vantrel\\");
  files.FailWritesUnder("C:\\AppData\\");
  SettingsFile file = MakeFileWithFallback();
  file.LoadSettings(settings);
  EXPECT_EQ(file.SaveSettingsOrWarn(settings), kFailed);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "설정을 저장할 수 없습니다.\n설정 파일: C:\\Vantrel\\SetupData.Sav");
  EXPECT_EQ(messages.shown[0].caption, "ERROR");
  EXPECT_EQ(messages.shown[0].style, mb::kOk | mb::kIconHand);
  EXPECT_EQ(files.Contents(kPath), DefaultFile());

  // The end of the session and the exit both save: one message.
  EXPECT_EQ(file.SaveSettingsOrWarn(settings), kFailed);
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(SettingsFileTest, AProgramWithoutAKnownFolderKeepsItsSettingsOnlyInTheFallbackFolder) {
  files.AddFile("C:\\SetupData.Sav", "not ours");
  SettingsFile file = MakeFileWithFallback("");
  EXPECT_EQ(file.Path(), kAppDataPath);
  file.LoadSettings(settings);
  EXPECT_EQ(settings.CountEnabledCategories(), 11);
  ASSERT_EQ(file.SaveSettings(settings), kSaved);
  EXPECT_EQ(files.Contents(kAppDataPath), DefaultFile());
  EXPECT_EQ(files.Contents("C:\\SetupData.Sav"), "not ours");
  for (const auto& call : files.calls) EXPECT_EQ(call.find("C:\\SetupData"), std::string::npos) << call;

  // With no fallback folder either, nothing is written anywhere.
  MemoryFileSystem empty;
  SettingsFile nowhere(empty, messages, converter, "", "");
  nowhere.LoadSettings(settings);
  EXPECT_EQ(nowhere.SaveSettings(settings), kFailed);
  EXPECT_TRUE(empty.AllPaths().empty());
}

}  // namespace
}  // namespace vantrel
