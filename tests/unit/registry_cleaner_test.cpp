#include "engine/registry_cleaner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/memory_registry.h"
#include "fakes/recording_progress_view.h"

namespace vantrel {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using testing::MemoryRegistry;
using testing::RecordingProgressView;

constexpr RootKey kHkcu = RootKey::kCurrentUser;
constexpr RootKey kHklm = RootKey::kLocalMachine;

const std::string kReal8 =
    "SOFTWARE\\Classes\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\";
const std::string kRealOne = "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\";
const std::string kMediaPlayer = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";

class RegistryCleanerTest : public ::testing::Test {
 protected:
  MemoryRegistry registry;
  RecordingProgressView view;
  RegistryCleaner cleaner{registry, view};
};

TEST_F(RegistryCleanerTest, DeletesEveryValueOfTheKeyButNoSubKeyNorTheirValues) {
  registry.SetValue(kHkcu, "Software\\Test", "");
  registry.SetValue(kHkcu, "Software\\Test", "a");
  registry.SetValue(kHkcu, "Software\\Test", "b");
  registry.SetValue(kHkcu, "Software\\Test\\Sub", "c");
  registry.AddKey(kHkcu, "Software\\Test\\Empty");

  EXPECT_TRUE(cleaner.DeleteKeyValues(kHkcu, "Software\\Test"));

  EXPECT_THAT(registry.ValueNames(kHkcu, "Software\\Test"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHkcu, "Software\\Test\\Sub"), ElementsAre("c"));
  EXPECT_TRUE(registry.HasKey(kHkcu, "Software\\Test\\Empty"));
  EXPECT_THAT(registry.opens, ElementsAre("HKCU\\Software\\Test"));
}

TEST_F(RegistryCleanerTest, AKeyThatCannotBeOpenedGivesFalseAndNothingElse) {
  registry.SetValue(kHkcu, "Software\\Test", "a");

  EXPECT_FALSE(cleaner.DeleteKeyValues(kHkcu, "Software\\Missing"));
  EXPECT_FALSE(cleaner.DeleteKeyValues(RootKey::kNone, "Software\\Test"));

  EXPECT_THAT(registry.ValueNames(kHkcu, "Software\\Test"), ElementsAre("a"));
  EXPECT_EQ(registry.callCount, 0);
  EXPECT_THAT(view.events, IsEmpty());
}

class UndeletableValueTest : public RegistryCleanerTest,
                             public ::testing::WithParamInterface<std::vector<std::string>> {};

// A value that cannot be deleted is passed over; the values after it go.
TEST_P(UndeletableValueTest, IsPassedOverWithoutSpinning) {
  for (const char* name : {"a", "b", "c", "d"}) registry.SetValue(kHkcu, "Software\\Test", name);
  for (const auto& name : GetParam()) registry.LockValue(kHkcu, "Software\\Test", name);

  EXPECT_TRUE(cleaner.DeleteKeyValues(kHkcu, "Software\\Test"));

  EXPECT_THAT(registry.ValueNames(kHkcu, "Software\\Test"), ElementsAreArray(GetParam()));
  EXPECT_THAT(registry.faults, IsEmpty());
  EXPECT_LE(registry.callCount, 2 * 4 + 1);
}

INSTANTIATE_TEST_SUITE_P(Locked, UndeletableValueTest,
                         ::testing::Values(std::vector<std::string>{"a"},
                                           std::vector<std::string>{"b"},
                                           std::vector<std::string>{"d"},
                                           std::vector<std::string>{"a", "c"},
                                           std::vector<std::string>{"a", "b", "c", "d"}));

// A name the code page cannot spell, as the registry adapter hands it over:
// 0xFF and the UTF-16 code units in hex (here Thai letters).
std::string OutsideTheCodePage(std::size_t characters) {
  std::string name = "\xFF";
  for (std::size_t i = 0; i < characters; ++i) name += i % 2 == 0 ? "0E2A" : "0E27";
  return name;
}

// The registry keeps names of up to 16,383 characters; every one goes,
// whatever it holds, and nothing outside the key changes.
TEST_F(RegistryCleanerTest, EveryValueGoesWhateverItsNameHolds) {
  const std::string key = "Software\\Acme\\Viewer";
  const std::vector<std::string> names = {
      "",
      "C:\\Program Files\\Acme Imaging\\Raw Importer 2\\bin\\x64\\plugins\\importer\\AcmeRawImporter.exe.FriendlyAppName",
      "Count",
      std::string(16383, 'n'),
      "최근 파일",
      OutsideTheCodePage(12),
      OutsideTheCodePage(16383),
      "File1",
      "File2",
      "File3",
  };
  ASSERT_EQ(names[1].size(), 105u);
  for (const std::string& name : names) registry.SetValue(kHkcu, key, name);
  registry.SetValue(kHkcu, "Software\\Acme", "parent");
  registry.SetValue(kHkcu, "Software\\Acme\\Editor", "sibling");
  registry.SetValue(kHkcu, key + "\\Recent", "child");

  EXPECT_TRUE(cleaner.DeleteKeyValues(kHkcu, key));

  EXPECT_THAT(registry.ValueNames(kHkcu, key), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHkcu, "Software\\Acme"), ElementsAre("parent"));
  EXPECT_THAT(registry.ValueNames(kHkcu, "Software\\Acme\\Editor"), ElementsAre("sibling"));
  EXPECT_THAT(registry.ValueNames(kHkcu, key + "\\Recent"), ElementsAre("child"));
}

// The RealPlayer history walks sub-keys, whose names run to 255 characters.
TEST_F(RegistryCleanerTest, TheWalkReachesSubKeysOfEveryName) {
  const std::string top = "Software\\Walk";
  for (const std::string& name : {std::string("a"), std::string(255, 'm'), OutsideTheCodePage(255),
                                  std::string("z")}) {
    registry.SetValue(kHkcu, top + "\\" + name, "v");
  }

  cleaner.WalkKeyValues(kHkcu, top, 0, 1, false);

  for (const std::string& name : {std::string("a"), std::string(255, 'm'), OutsideTheCodePage(255),
                                  std::string("z")}) {
    EXPECT_THAT(registry.ValueNames(kHkcu, top + "\\" + name), IsEmpty()) << name.size();
  }
}

TEST_F(RegistryCleanerTest, PurgeKeyPathTakesRootAndSubKeyFromTheFullName) {
  registry.SetValue(kHkcu, "Software\\Test", "a");
  registry.SetValue(kHkcu, "Software\\Test", "");
  registry.SetValue(kHkcu, "Software\\Test\\Sub", "b");

  cleaner.PurgeKeyPath("HKEY_CURRENT_USER\\Software\\Test");

  EXPECT_THAT(registry.ValueNames(kHkcu, "Software\\Test"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHkcu, "Software\\Test\\Sub"), ElementsAre("b"));
}

TEST_F(RegistryCleanerTest, AnAbbreviatedRootNameDeletesNothing) {
  registry.SetValue(kHkcu, "Software\\Test", "a");

  cleaner.PurgeKeyPath("HKCU\\Software\\Test");

  EXPECT_THAT(registry.ValueNames(kHkcu, "Software\\Test"), ElementsAre("a"));
  EXPECT_THAT(registry.opens, ElementsAre("0\\Software\\Test"));
  EXPECT_THAT(view.events, IsEmpty());
}

TEST_F(RegistryCleanerTest, ARootNameWithoutABackslashTargetsTheValuesOfTheRootItself) {
  registry.SetValue(kHklm, "", "rootValue");
  registry.SetValue(kHklm, "SOFTWARE", "keep");

  cleaner.PurgeKeyPath("HKEY_LOCAL_MACHINE");

  EXPECT_THAT(registry.ValueNames(kHklm, ""), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHklm, "SOFTWARE"), ElementsAre("keep"));
}

TEST_F(RegistryCleanerTest, TheWalkDeletesTheValuesOfDirectSubKeysOnly) {
  const std::string top = "Software\\Walk";
  registry.SetValue(kHkcu, top, "own");
  registry.SetValue(kHkcu, top + "\\1", "a");
  registry.SetValue(kHkcu, top + "\\2", "b");
  registry.SetValue(kHkcu, top + "\\2", "");
  registry.SetValue(kHkcu, top + "\\1\\Deeper", "c");

  cleaner.WalkKeyValues(kHkcu, top, 0, 1, false);

  EXPECT_THAT(registry.ValueNames(kHkcu, top), ElementsAre("own"));
  EXPECT_THAT(registry.ValueNames(kHkcu, top + "\\1"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHkcu, top + "\\2"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHkcu, top + "\\1\\Deeper"), ElementsAre("c"));
}

TEST_F(RegistryCleanerTest, TheWalkWithTheTopFlagAndMoreDepthReachesFurther) {
  const std::string top = "Software\\Walk";
  registry.SetValue(kHkcu, top, "own");
  registry.SetValue(kHkcu, top + "\\1", "a");
  registry.SetValue(kHkcu, top + "\\1\\Deeper", "c");
  registry.SetValue(kHkcu, top + "\\1\\Deeper\\Deepest", "d");

  cleaner.PurgeKeyTree("HKEY_CURRENT_USER\\" + top, 0, 2, true);

  EXPECT_THAT(registry.ValueNames(kHkcu, top), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHkcu, top + "\\1"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHkcu, top + "\\1\\Deeper"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHkcu, top + "\\1\\Deeper\\Deepest"), ElementsAre("d"));
}

TEST_F(RegistryCleanerTest, AWalkFromARootNamesItsSubKeysWithoutALeadingBackslash) {
  registry.SetValue(kHkcu, "", "own");
  registry.SetValue(kHkcu, "Software", "a");

  cleaner.WalkKeyValues(kHkcu, "", 0, 1, false);

  EXPECT_THAT(registry.ValueNames(kHkcu, "Software"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHkcu, ""), ElementsAre("own"));
}

struct MediaKind {
  int kind;
  const char* label;
};

void PrintTo(const MediaKind& m, std::ostream* out) { *out << "kind " << m.kind; }

class MediaListTest : public RegistryCleanerTest,
                      public ::testing::WithParamInterface<MediaKind> {};

// Nothing of the players is installed here: each step still shows and counts.
TEST_P(MediaListTest, IsOneWholeStepOfTheRun) {
  int done = 3;

  cleaner.CleanMediaList(GetParam().kind, done, 12, 83);

  EXPECT_EQ(done, 4);
  EXPECT_THAT(view.events, ElementsAre(std::string("step ") + GetParam().label, "count 4/12",
                                       "overall.pos 249", "category.pos 1000"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, MediaListTest,
                         ::testing::Values(MediaKind{0, "윈도우 미디어 XP 8.0 주소"},
                                           MediaKind{1, "Real 8 Basic 6.0"},
                                           MediaKind{2, "Real One Player 6.0"}));

TEST_F(RegistryCleanerTest, AnUnknownMediaKindDoesNothingAtAll) {
  int done = 2;
  cleaner.CleanMediaList(3, done, 12, 83);
  cleaner.CleanMediaList(-1, done, 12, 83);
  EXPECT_EQ(done, 2);
  EXPECT_THAT(view.events, IsEmpty());
  EXPECT_THAT(registry.opens, IsEmpty());
}

TEST_F(RegistryCleanerTest, WindowsMediaPlayerLosesItsRecentFileList) {
  registry.SetValue(kHkcu, kMediaPlayer, "File0");
  registry.SetValue(kHkcu, kMediaPlayer, "File1");
  registry.SetValue(kHkcu, kMediaPlayer + "\\Sub", "keep");
  int done = 0;

  cleaner.CleanMediaList(0, done, 1, 1000);

  EXPECT_THAT(registry.ValueNames(kHkcu, kMediaPlayer), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHkcu, kMediaPlayer + "\\Sub"), ElementsAre("keep"));
  EXPECT_THAT(registry.opens, ElementsAre("HKCU\\" + kMediaPlayer));
}

std::vector<std::string> Numbered(const std::string& stem) {
  std::vector<std::string> keys;
  for (int i = 1; i <= 19; ++i) keys.push_back(stem + std::to_string(i));
  return keys;
}

TEST_F(RegistryCleanerTest, RealPlayer8LosesItsNumberedListsAndTheHistoryOfItsSubKeys) {
  registry.SetValue(kHklm, kReal8 + "MostRecentClips1", "");
  registry.SetValue(kHklm, kReal8 + "MostRecentClips19", "");
  registry.SetValue(kHklm, kReal8 + "MostRecentClips20", "");
  registry.SetValue(kHklm, kReal8 + "OpenLocationClips7", "url");
  registry.SetValue(kHklm, kReal8 + "HistoryList", "own");
  registry.SetValue(kHklm, kReal8 + "HistoryList\\1", "");
  registry.SetValue(kHklm, kReal8 + "HistoryList\\1", "clip");
  registry.SetValue(kHklm, kReal8 + "HistoryList\\2", "clip");
  int done = 0;

  cleaner.CleanMediaList(1, done, 1, 1000);

  EXPECT_THAT(registry.ValueNames(kHklm, kReal8 + "MostRecentClips1"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHklm, kReal8 + "MostRecentClips19"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHklm, kReal8 + "MostRecentClips20"), ElementsAre(""));
  EXPECT_THAT(registry.ValueNames(kHklm, kReal8 + "OpenLocationClips7"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHklm, kReal8 + "HistoryList"), ElementsAre("own"));
  EXPECT_THAT(registry.ValueNames(kHklm, kReal8 + "HistoryList\\1"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHklm, kReal8 + "HistoryList\\2"), IsEmpty());
  EXPECT_TRUE(registry.HasKey(kHklm, kReal8 + "HistoryList\\1"));
  EXPECT_TRUE(registry.HasKey(kHklm, kReal8 + "MostRecentClips1"));

  std::vector<std::string> expected;
  for (const auto& key : Numbered(kReal8 + "MostRecentClips")) expected.push_back("HKLM\\" + key);
  for (const char* key : {"HistoryList", "HistoryList\\1", "HistoryList\\1", "HistoryList\\2",
                          "HistoryList\\2"}) {
    expected.push_back("HKLM\\" + kReal8 + key);
  }
  for (const auto& key : Numbered(kReal8 + "OpenLocationClips")) expected.push_back("HKLM\\" + key);
  EXPECT_THAT(registry.opens, ElementsAreArray(expected));
}

TEST_F(RegistryCleanerTest, RealOneLosesItsNumberedListsAndLastFolder) {
  registry.SetValue(kHkcu, kRealOne + "OpenLocationClips1", "url");
  registry.SetValue(kHkcu, kRealOne + "LastOpenFileDir", "");
  registry.SetValue(kHkcu, kRealOne + "MostRecentClips19", "clip");
  registry.SetValue(kHkcu, kRealOne + "MostRecentClips19\\Sub", "keep");
  int done = 0;

  cleaner.CleanMediaList(2, done, 1, 1000);

  EXPECT_THAT(registry.ValueNames(kHkcu, kRealOne + "OpenLocationClips1"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHkcu, kRealOne + "LastOpenFileDir"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHkcu, kRealOne + "MostRecentClips19"), IsEmpty());
  EXPECT_THAT(registry.ValueNames(kHkcu, kRealOne + "MostRecentClips19\\Sub"),
              ElementsAre("keep"));

  std::vector<std::string> expected;
  for (const auto& key : Numbered(kRealOne + "OpenLocationClips")) expected.push_back("HKCU\\" + key);
  expected.push_back("HKCU\\" + kRealOne + "LastOpenFileDir");
  for (const auto& key : Numbered(kRealOne + "MostRecentClips")) expected.push_back("HKCU\\" + key);
  EXPECT_THAT(registry.opens, ElementsAreArray(expected));
}

}  // namespace
}  // namespace vantrel
