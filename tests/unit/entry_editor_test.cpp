// The entry editor's rules on a recorded entry: its sorted list of "Dir:" and
// "Reg:" strings, the refusals, deleting by bytes, the Delete button and OK.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "fakes/recording_message_boxes.h"
#include "settings/entry_editor.h"
#include "settings/setup_data.h"

namespace vantrel {
namespace {

using testing::RecordingMessageBoxes;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// A sorted, single-selection list box and the editor's other controls.
class FakeEditorWindow : public EntryEditorView, public EntryStringList {
 public:
  EntryStringList& Strings() override { return *this; }
  std::string NameText() override { return name; }
  void SetNameText(const std::string& text) override { name = text; }
  bool SubfoldersTicked() override { return ticked; }
  void SetSubfoldersTicked(bool value) override { ticked = value; }
  void EnableDelete(bool enable) override { deleteEnabled = enable; }
  MessageBoxes& Messages() override { return messages; }
  std::string DefaultTitle() override { return "Qorv"; }

  // Like LBS_SORT: case-insensitive, a new string after its equals.
  void Add(const std::string& text) override {
    const auto at = std::upper_bound(items.begin(), items.end(), text,
                                     [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    if (selected >= static_cast<int>(at - items.begin())) ++selected;
    items.insert(at, text);
  }
  int Count() override { return static_cast<int>(items.size()); }
  bool IsSelected(int index) override { return index == selected; }
  std::string Text(int index) override { return items.at(static_cast<std::size_t>(index)); }
  void Remove(int index) override {
    items.erase(items.begin() + index);
    if (selected == index) selected = -1;
    if (selected > index) --selected;
  }

  void Select(const std::string& text) {
    selected = static_cast<int>(std::find(items.begin(), items.end(), text) - items.begin());
  }

  std::string name = "<untouched>";
  bool ticked = false;
  bool deleteEnabled = true;
  std::vector<std::string> items;
  int selected = -1;
  RecordingMessageBoxes messages;
};

struct EntryEditorTest : ::testing::Test {
  UserEntry entry;
  FakeEditorWindow window;
  EntryEditor editor{entry, window};
};

TEST_F(EntryEditorTest, FillShowsTheEntrySortedWithDeleteOff) {
  entry.name = "내 항목";
  entry.includeSubfolders = true;
  entry.dirs = {"Dir:C:\\B", "Dir:C:\\A"};
  entry.regKeys = {"Reg:HKEY_CURRENT_USER\\Software\\X"};
  editor.Fill();
  EXPECT_EQ(window.name, "내 항목");
  EXPECT_TRUE(window.ticked);
  EXPECT_FALSE(window.deleteEnabled);
  EXPECT_EQ(window.items,
            (std::vector<std::string>{"Dir:C:\\A", "Dir:C:\\B", "Reg:HKEY_CURRENT_USER\\Software\\X"}));
}

TEST_F(EntryEditorTest, DirectoriesStandBeforeKeysWhateverTheOrderOfAdding) {
  editor.AddRegistryKey(std::string("HKEY_CURRENT_USER\\Software\\Z"));
  editor.AddDirectory(std::string("C:\\Temp2"));
  editor.AddRegistryKey(std::string("HKEY_LOCAL_MACHINE\\Software\\A"));
  editor.AddDirectory(std::string("C:\\A"));
  EXPECT_EQ(window.items, (std::vector<std::string>{"Dir:C:\\A", "Dir:C:\\Temp2", "Reg:HKEY_CURRENT_USER\\Software\\Z",
                                                    "Reg:HKEY_LOCAL_MACHINE\\Software\\A"}));
  EXPECT_EQ(entry.dirs, (std::vector<std::string>{"Dir:C:\\Temp2", "Dir:C:\\A"}));
  EXPECT_EQ(entry.regKeys,
            (std::vector<std::string>{"Reg:HKEY_CURRENT_USER\\Software\\Z", "Reg:HKEY_LOCAL_MACHINE\\Software\\A"}));
  EXPECT_TRUE(window.messages.shown.empty());
}

struct DirectoryCase {
  const char* name;
  std::optional<std::string> chosen;
  bool refused;
  std::vector<std::string> dirs;
};

TEST_F(EntryEditorTest, AddDirectoryRefusesRootsAndVirtualFolders) {
  const DirectoryCase cases[] = {
      {"browser cancelled", std::nullopt, false, {}},
      {"drive root", std::string("C:\\"), true, {}},
      {"virtual folder (no path)", std::string(""), true, {}},
      {"three bytes", std::string("C:A"), true, {}},
      {"shortest folder", std::string("C:\\A"), false, {"Dir:C:\\A"}},
      {"Korean folder", std::string("C:\\바탕"), false, {"Dir:C:\\바탕"}},
  };
  for (const DirectoryCase& c : cases) {
    SCOPED_TRACE(c.name);
    UserEntry fresh;
    FakeEditorWindow freshWindow;
    EntryEditor freshEditor(fresh, freshWindow);
    freshEditor.AddDirectory(c.chosen);
    EXPECT_EQ(fresh.dirs, c.dirs);
    EXPECT_EQ(freshWindow.items, c.dirs);
    if (c.refused) {
      ASSERT_EQ(freshWindow.messages.shown.size(), 1u);
      EXPECT_EQ(freshWindow.messages.shown[0].text, "제정신 인가요?\n하드 날리셔도 게시판에 항의하지 마세요. ^^;");
      EXPECT_EQ(freshWindow.messages.shown[0].caption, "치명적인 ERROR");
      EXPECT_EQ(freshWindow.messages.shown[0].style, mb::kIconHand);
    } else {
      EXPECT_TRUE(freshWindow.messages.shown.empty());
    }
  }
}

TEST_F(EntryEditorTest, PatternsAreStoredAsWrittenAndAStarThatIsNoPatternIsRefused) {
  const DirectoryCase cases[] = {
      {"variables and a star", std::string("%LOCALAPPDATA%\\Google\\Chrome\\User Data\\*\\Cache"),
       false, {"Dir:%LOCALAPPDATA%\\Google\\Chrome\\User Data\\*\\Cache"}},
      {"star as the last name", std::string("C:\\Data\\*"), false, {"Dir:C:\\Data\\*"}},
      {"star in the first name", std::string("*\\Cache"), true, {}},
      {"two stars", std::string("C:\\Data\\**\\Cache"), true, {}},
      {"star inside a name", std::string("C:\\Data\\Cache*"), true, {}},
      {"a share", std::string("\\\\server\\share\\*\\Temp"), false, {"Dir:\\\\server\\share\\*\\Temp"}},
      {"a variable first", std::string("%TEMP%\\Old"), false, {"Dir:%TEMP%\\Old"}},
      {"a relative path", std::string("Temp\\Old"), true, {}},
      {"a relative pattern", std::string("Temp\\*\\Old"), true, {}},
      {"a variable later", std::string("Temp\\%X%"), true, {}},
  };
  for (const DirectoryCase& c : cases) {
    SCOPED_TRACE(c.name);
    UserEntry fresh;
    FakeEditorWindow freshWindow;
    EntryEditor freshEditor(fresh, freshWindow);
    freshEditor.AddDirectory(c.chosen);
    EXPECT_EQ(fresh.dirs, c.dirs);
    EXPECT_EQ(freshWindow.items, c.dirs);
    if (c.refused) {
      ASSERT_EQ(freshWindow.messages.shown.size(), 1u);
      EXPECT_EQ(freshWindow.messages.shown[0].caption, "경로 오류");
      EXPECT_EQ(freshWindow.messages.shown[0].text.rfind("이 경로는 저장할 수 없습니다.\n", 0), 0u);
      EXPECT_EQ(freshWindow.messages.shown[0].style, mb::kIconHand);
    } else {
      EXPECT_TRUE(freshWindow.messages.shown.empty());
    }
  }
}

TEST_F(EntryEditorTest, TheSameFolderMayBeAddedTwice) {
  editor.AddDirectory(std::string("C:\\A"));
  editor.AddDirectory(std::string("C:\\A"));
  EXPECT_EQ(entry.dirs, (std::vector<std::string>{"Dir:C:\\A", "Dir:C:\\A"}));
  EXPECT_EQ(window.items.size(), 2u);
}

TEST_F(EntryEditorTest, AddKeyRefusesFiveBytesOrFewerAndTakesTheRestUnchecked) {
  struct KeyCase {
    std::optional<std::string> typed;
    bool refused;
  };
  const KeyCase cases[] = {
      {std::nullopt, false}, {std::string(""), true},      {std::string("HKEY_"), true},
      {std::string("HKEY_U"), false}, {std::string("키이름"), false},  // six bytes in CP949
      {std::string("아무거나 적은 글"), false},
  };
  int accepted = 0;
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.typed.value_or("<cancelled>"));
    const std::size_t messagesBefore = window.messages.shown.size();
    editor.AddRegistryKey(c.typed);
    if (c.refused) {
      ASSERT_EQ(window.messages.shown.size(), messagesBefore + 1);
      EXPECT_EQ(window.messages.shown.back().text, "레지스트리를 제대로 넣어주세요");
      EXPECT_EQ(window.messages.shown.back().caption, "Qorv");
      EXPECT_EQ(window.messages.shown.back().style, mb::kOk);
    } else {
      EXPECT_EQ(window.messages.shown.size(), messagesBefore);
      if (c.typed) {
        ++accepted;
        EXPECT_EQ(entry.regKeys.back(), "Reg:" + *c.typed);
      }
    }
  }
  EXPECT_EQ(entry.regKeys.size(), static_cast<std::size_t>(accepted));
  EXPECT_TRUE(entry.dirs.empty());
}

TEST_F(EntryEditorTest, DeleteRemovesOneStringByItsBytes) {
  entry.dirs = {"Dir:C:\\A", "Dir:C:\\a", "Dir:C:\\A", "Dir:C:\\B"};
  entry.regKeys = {"Reg:HKEY_CURRENT_USER\\X1", "Reg:HKEY_CURRENT_USER\\X2"};
  editor.Fill();

  window.Select("Dir:C:\\A");
  editor.DeleteSelected();
  EXPECT_EQ(entry.dirs, (std::vector<std::string>{"Dir:C:\\a", "Dir:C:\\A", "Dir:C:\\B"}));
  EXPECT_EQ(window.items.size(), 5u);
  EXPECT_FALSE(window.deleteEnabled) << "nothing is selected after a deletion";

  window.Select("Reg:HKEY_CURRENT_USER\\X2");
  editor.DeleteSelected();
  EXPECT_EQ(entry.regKeys, (std::vector<std::string>{"Reg:HKEY_CURRENT_USER\\X1"}));
  EXPECT_EQ(entry.dirs.size(), 3u);
  EXPECT_EQ(window.items.size(), 4u);
}

TEST_F(EntryEditorTest, AStringWithoutTheDirPrefixIsLookedForAmongTheKeys) {
  // A file written by hand may hold anything; only the keys are searched.
  entry.dirs = {"dir:C:\\A"};
  entry.regKeys = {"dir:C:\\A"};
  editor.Fill();
  window.Select("dir:C:\\A");
  editor.DeleteSelected();
  EXPECT_EQ(entry.dirs, (std::vector<std::string>{"dir:C:\\A"}));
  EXPECT_TRUE(entry.regKeys.empty());
}

TEST_F(EntryEditorTest, DeleteWithNothingSelectedChangesNothingAndTurnsDeleteOff) {
  entry.dirs = {"Dir:C:\\A"};
  editor.Fill();
  window.deleteEnabled = true;
  editor.DeleteSelected();
  EXPECT_EQ(entry.dirs.size(), 1u);
  EXPECT_EQ(window.items.size(), 1u);
  EXPECT_FALSE(window.deleteEnabled);
}

TEST_F(EntryEditorTest, DeleteButtonFollowsTheSelection) {
  entry.dirs = {"Dir:C:\\A"};
  editor.Fill();
  EXPECT_FALSE(window.deleteEnabled);
  window.Select("Dir:C:\\A");
  editor.UpdateDeleteButton();
  EXPECT_TRUE(window.deleteEnabled);
  window.selected = -1;
  editor.UpdateDeleteButton();
  EXPECT_FALSE(window.deleteEnabled);
}

TEST_F(EntryEditorTest, OkWritesNameAndFlagAndRefusesAnEmptyName) {
  entry.name = "옛 이름";
  entry.includeSubfolders = true;
  editor.Fill();

  window.name = "";
  window.ticked = false;
  EXPECT_FALSE(editor.Accept());
  ASSERT_EQ(window.messages.shown.size(), 1u);
  EXPECT_EQ(window.messages.shown[0].text, "이름을 넣으세요.");
  EXPECT_EQ(window.messages.shown[0].caption, "이름");
  EXPECT_EQ(window.messages.shown[0].style, mb::kOk);
  // The refused OK has written both already; a Cancel now keeps them.
  EXPECT_EQ(entry.name, "");
  EXPECT_FALSE(entry.includeSubfolders);

  window.name = "새 이름";
  window.ticked = true;
  EXPECT_TRUE(editor.Accept());
  EXPECT_EQ(entry.name, "새 이름");
  EXPECT_TRUE(entry.includeSubfolders);
  EXPECT_EQ(window.messages.shown.size(), 1u);
}

TEST(ProgramTitleTest, FileNameWithoutFolderAndExtension) {
  EXPECT_EQ(ProgramTitleOf("C:\\Program Files\\Vantrel\\Qorv.exe"), "Qorv");
  EXPECT_EQ(ProgramTitleOf("B:\\a.b\\settings_window_test.exe"), "settings_window_test");
  EXPECT_EQ(ProgramTitleOf("Qorv"), "Qorv");
  EXPECT_EQ(ProgramTitleOf("C:\\x\\Qorv.old.exe"), "Qorv.old");
}

}  // namespace
}  // namespace vantrel
