// The settings record and the byte layout of "SetupData.Sav".
#include <gtest/gtest.h>

#include <cstdint>

#include "fakes/iconv_text_converter.h"
#include "fakes/recording_message_boxes.h"
#include "../shared/damaged_settings_files.h"
#include "settings/archive.h"
#include "settings/setup_data.h"

namespace vantrel {
namespace {

using testing::IconvTextConverter;
using testing::RecordingMessageBoxes;

std::string Int(std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  return std::string{static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                     static_cast<char>((u >> 16) & 0xFF), static_cast<char>(u >> 24)};
}

std::string Stored(const SetupData& settings) {
  ArchiveWriter writer;
  settings.Store(writer);
  return writer.Bytes();
}

// Header of a version-10 file: the eleven switches (all on) and a count.
std::string Header(std::int32_t count) {
  std::string bytes = Int(10);
  for (int i = 0; i < 11; ++i) bytes += Int(1);
  return bytes + Int(count);
}

struct Loaded {
  SetupData settings;
  SetupData::LoadResult result;
  RecordingMessageBoxes messages;
};

std::unique_ptr<Loaded> LoadBytes(const std::string& bytes) {
  auto loaded = std::make_unique<Loaded>();
  IconvTextConverter converter;
  ArchiveReader reader(bytes, converter);
  loaded->result = loaded->settings.Load(reader, loaded->messages);
  return loaded;
}

TEST(SetupDataTest, DefaultsAndTheirFileOfFiftyTwoBytes) {
  SetupData settings;
  EXPECT_EQ(settings.CountEnabledCategories(), 11);
  EXPECT_EQ(settings.CountUserItems(), 0);
  EXPECT_TRUE(settings.cacheFolder.empty());
  EXPECT_TRUE(settings.tempFolder.empty());
  const std::string expected = Header(0);
  ASSERT_EQ(expected.size(), 52u);
  EXPECT_EQ(Stored(settings), expected);
}

TEST(SetupDataTest, SwitchesAreStoredInFileOrderNotDeclaredOrder) {
  // Each switch off on its own must clear exactly its file offset.
  struct Case {
    bool SetupData::*flag;
    int offset;
  };
  const Case cases[] = {
      {&SetupData::cleanCache, 4},        {&SetupData::cleanCookie, 8},
      {&SetupData::cleanHistory, 12},     {&SetupData::cleanTemp, 16},
      {&SetupData::cleanRecent, 20},      {&SetupData::cleanRecycleBin, 24},
      {&SetupData::cleanTypedUrl, 28},    {&SetupData::cleanIndexEntry, 32},
      {&SetupData::cleanMediaPlayer, 36}, {&SetupData::cleanRealPlayer, 40},
      {&SetupData::cleanRealOne, 44},
  };
  for (const auto& c : cases) {
    SetupData settings;
    settings.*c.flag = false;
    std::string expected = Header(0);
    expected.replace(c.offset, 4, Int(0));
    EXPECT_EQ(Stored(settings), expected) << "offset " << c.offset;
    EXPECT_EQ(settings.CountEnabledCategories(), 10);

    auto loaded = LoadBytes(expected);
    EXPECT_FALSE(loaded->settings.*c.flag) << "offset " << c.offset;
    EXPECT_EQ(loaded->settings.CountEnabledCategories(), 10);
  }
}

TEST(SetupDataTest, AnyNonZeroSwitchReadsTrueAndIsWrittenBackAsOne) {
  std::string bytes = Int(10);
  const std::int32_t values[] = {2, -1, 0, 1, 0x7FFFFFFF, 0, 0, 256, 0, 1, 0};
  for (auto v : values) bytes += Int(v);
  bytes += Int(0);
  auto loaded = LoadBytes(bytes);
  ASSERT_EQ(loaded->result, SetupData::LoadResult::kLoaded);
  EXPECT_EQ(loaded->settings.CountEnabledCategories(), 6);
  std::string expected = Int(10);
  for (auto v : values) expected += Int(v != 0 ? 1 : 0);
  expected += Int(0);
  EXPECT_EQ(Stored(loaded->settings), expected);
}

TEST(SetupDataTest, StringLengthForms) {
  struct Case {
    std::size_t length;
    std::string prefix;
  };
  const Case cases[] = {
      {0, std::string("\x00", 1)},
      {1, "\x01"},
      {254, "\xFE"},
      {255, std::string("\xFF\xFF\x00", 3)},
      {65533, std::string("\xFF\xFD\xFF", 3)},
      {65534, std::string("\xFF\xFF\xFF", 3) + Int(65534)},
      {70000, std::string("\xFF\xFF\xFF", 3) + Int(70000)},
  };
  for (const auto& c : cases) {
    SetupData settings;
    UserEntry source;
    source.name = std::string(c.length, 'n');
    settings.AddEntry(source);
    const std::string expected =
        Header(1) + Int(0) + c.prefix + source.name + Int(0) + Int(0);
    const std::string bytes = Stored(settings);
    EXPECT_EQ(bytes, expected) << "length " << c.length;

    auto loaded = LoadBytes(bytes);
    ASSERT_EQ(loaded->result, SetupData::LoadResult::kLoaded) << "length " << c.length;
    ASSERT_EQ(loaded->settings.userEntries.size(), 1u);
    EXPECT_EQ(loaded->settings.userEntries[0]->name, source.name);
  }
}

TEST(SetupDataTest, EntriesRoundTripInOrderWithTheirPrefixes) {
  SetupData settings;
  settings.cleanTemp = false;
  UserEntry first;
  first.name = "게임 기록";
  first.includeSubfolders = true;
  first.dirs = {"Dir:C:\\Games\\Logs", "Dir:D:\\임시"};
  first.regKeys = {"Reg:HKEY_CURRENT_USER\\Software\\X\\Recent"};
  UserEntry second;
  second.name = "";
  UserEntry third;
  third.name = "keys only";
  third.regKeys = {"Reg:HKCU\\B", "Reg:HKCU\\A"};
  settings.AddEntry(first);
  settings.AddEntry(second);
  settings.AddEntry(third);
  EXPECT_EQ(settings.CountUserItems(), 5);

  const std::string bytes = Stored(settings);
  std::string expected = Header(3);
  expected.replace(16, 4, Int(0));
  expected += Int(1) + "\x09" "게임 기록" + Int(2) + "\x11" "Dir:C:\\Games\\Logs" + "\x0B" "Dir:D:\\임시" +
              Int(1) + "\x27" "Reg:HKEY_CURRENT_USER\\Software\\X\\Recent";
  expected += Int(0) + std::string("\x00", 1) + Int(0) + Int(0);
  expected += Int(0) + "\x09" "keys only" + Int(0) + Int(2) + "\x0A" "Reg:HKCU\\B" + "\x0A" "Reg:HKCU\\A";
  EXPECT_EQ(bytes, expected);

  auto loaded = LoadBytes(bytes);
  ASSERT_EQ(loaded->result, SetupData::LoadResult::kLoaded);
  EXPECT_EQ(Stored(loaded->settings), bytes);
  const auto& entries = loaded->settings.userEntries;
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_TRUE(entries[0]->includeSubfolders);
  EXPECT_EQ(entries[0]->dirs, first.dirs);
  EXPECT_EQ(entries[2]->regKeys, third.regKeys);
  EXPECT_FALSE(loaded->settings.cleanTemp);
  EXPECT_TRUE(loaded->messages.shown.empty());
}

TEST(SetupDataTest, NegativeAndZeroCountsGiveEmptyLists) {
  auto none = LoadBytes(Header(-5));
  EXPECT_EQ(none->result, SetupData::LoadResult::kLoaded);
  EXPECT_TRUE(none->settings.userEntries.empty());

  auto emptyArrays = LoadBytes(Header(1) + Int(1) + "\x01" "e" + Int(-3) + Int(0));
  ASSERT_EQ(emptyArrays->result, SetupData::LoadResult::kLoaded);
  ASSERT_EQ(emptyArrays->settings.userEntries.size(), 1u);
  EXPECT_TRUE(emptyArrays->settings.userEntries[0]->dirs.empty());
  EXPECT_TRUE(emptyArrays->settings.userEntries[0]->regKeys.empty());
}

TEST(SetupDataTest, LoadReplacesEntriesAlreadyInTheRecord) {
  auto loaded = std::make_unique<Loaded>();
  UserEntry old;
  old.name = "old";
  loaded->settings.AddEntry(old);
  IconvTextConverter converter;
  const std::string bytes = Header(0);
  ArchiveReader reader(bytes, converter);
  loaded->settings.Load(reader, loaded->messages);
  EXPECT_TRUE(loaded->settings.userEntries.empty());
}

TEST(SetupDataTest, OtherVersionShowsTheMessageOnceAndKeepsTheRecord) {
  for (std::int32_t version : {9, 11, 0, -1}) {
    std::string bytes = Int(version);
    for (int i = 0; i < 11; ++i) bytes += Int(0);
    bytes += Int(0);
    auto loaded = LoadBytes(bytes);
    EXPECT_EQ(loaded->result, SetupData::LoadResult::kWrongVersion);
    ASSERT_EQ(loaded->messages.shown.size(), 1u) << version;
    EXPECT_EQ(loaded->messages.shown[0].text, "Save 파일 버젼이 다릅니다.");
    EXPECT_EQ(loaded->messages.shown[0].caption, "ERROR");
    EXPECT_EQ(loaded->messages.shown[0].style, mb::kOk);
    EXPECT_EQ(loaded->settings.CountEnabledCategories(), 11);
  }
}

TEST(SetupDataTest, WideStringFormIsConvertedToTheCodePage) {
  // "가A" in UTF-16LE, written with the 0xFF 0xFFFE marker.
  const std::string wideName = std::string("\xFF\xFE\xFF\x02", 4) + std::string("\x00\xAC" "A\x00", 4);
  auto loaded = LoadBytes(Header(1) + Int(0) + wideName + Int(0) + Int(0));
  ASSERT_EQ(loaded->result, SetupData::LoadResult::kLoaded);
  ASSERT_EQ(loaded->settings.userEntries.size(), 1u);
  EXPECT_EQ(loaded->settings.userEntries[0]->name, "가A");

  // The long wide form: 0xFF 0xFFFE, then 0xFF and a 16-bit character count.
  std::string longWide = std::string("\xFF\xFE\xFF\xFF\x2C\x01", 6);
  for (int i = 0; i < 300; ++i) longWide += std::string("x\x00", 2);
  auto longLoaded = LoadBytes(Header(1) + Int(0) + longWide + Int(0) + Int(0));
  ASSERT_EQ(longLoaded->result, SetupData::LoadResult::kLoaded);
  EXPECT_EQ(longLoaded->settings.userEntries[0]->name, std::string(300, 'x'));
}

TEST(SetupDataTest, DamagedFilesStopAtTheDamageAndKeepCompleteEntries) {
  const std::string complete = Int(1) + "\x03" "one" + Int(1) + "\x06" "Dir:C:" + Int(0);
  const std::string partial = Int(0) + "\x03" "two" + Int(1);  // its dirs string is missing
  const auto cases = damaged_settings::DamagedFiles();
  for (const auto& c : cases) {
    auto loaded = LoadBytes(c.bytes);
    EXPECT_EQ(loaded->result, SetupData::LoadResult::kDamaged) << c.what;
    EXPECT_EQ(loaded->settings.userEntries.size(), c.entries) << c.what;
    EXPECT_TRUE(loaded->messages.shown.empty()) << c.what;
  }
  EXPECT_EQ(damaged_settings::WrappingWideLengthFile().size(), 84u);
  auto kept = LoadBytes(Header(2) + complete + partial);
  ASSERT_EQ(kept->settings.userEntries.size(), 1u);
  EXPECT_EQ(kept->settings.userEntries[0]->name, "one");
  EXPECT_EQ(kept->settings.userEntries[0]->dirs, std::vector<std::string>{"Dir:C:"});

  // Switches read before the damage stay.
  auto switches = LoadBytes(Int(10) + Int(0) + Int(0));
  EXPECT_FALSE(switches->settings.cleanCache);
  EXPECT_FALSE(switches->settings.cleanCookie);
  EXPECT_TRUE(switches->settings.cleanHistory);
}

TEST(SetupDataTest, AddEntryCopiesAndFindEntryMatchesByIdentity) {
  SetupData settings;
  UserEntry source;
  source.name = "a";
  source.dirs = {"Dir:C:\\A"};
  EXPECT_EQ(settings.FindEntry(&source), -1);
  UserEntry* first = settings.AddEntry(source);
  UserEntry* second = settings.AddEntry(source);
  EXPECT_NE(first, &source);
  EXPECT_EQ(settings.FindEntry(first), 0);
  EXPECT_EQ(settings.FindEntry(second), 1);
  EXPECT_EQ(settings.FindEntry(&source), -1);
  EXPECT_EQ(settings.FindEntry(nullptr), -1);
  source.dirs.push_back("Dir:C:\\B");
  EXPECT_EQ(first->dirs.size(), 1u);
  EXPECT_EQ(settings.CountUserItems(), 2);
}

}  // namespace
}  // namespace vantrel
