// The settings window's rules on a recorded record: the switches taken on
// OK only, and user entries added, edited and deleted at once.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes/recording_message_boxes.h"
#include "settings/settings_editor.h"
#include "settings/setup_data.h"

namespace vantrel {
namespace {

using testing::RecordingMessageBoxes;

// A list view and check boxes; the entry editor is whatever the test says.
class FakeSettingsWindow : public SettingsView, public UserEntryList {
 public:
  struct Item {
    std::string text;
    const UserEntry* entry;
  };

  UserEntryList& Entries() override { return *this; }
  bool IsTicked(int box) override { return ticked.at(static_cast<std::size_t>(box)); }
  void SetTicked(int box, bool value) override { ticked.at(static_cast<std::size_t>(box)) = value; }
  void EnableEntryButtons(bool enable) override { buttonsEnabled = enable; }
  MessageBoxes& Messages() override { return messages; }
  bool EditEntry(UserEntry& entry) override {
    edited.push_back(&entry);
    return editor ? editor(entry) : false;
  }

  int Count() override { return static_cast<int>(items.size()); }
  int Selected() override { return selected; }
  int Insert(int index, const std::string& text) override {
    items.insert(items.begin() + index, Item{text, nullptr});
    return index;
  }
  void SetEntry(int index, const UserEntry* entry) override { items.at(static_cast<std::size_t>(index)).entry = entry; }
  const UserEntry* Entry(int index) override { return items.at(static_cast<std::size_t>(index)).entry; }
  void Remove(int index) override {
    items.erase(items.begin() + index);
    selected = -1;
  }

  std::vector<bool> ticked = std::vector<bool>(SettingsEditor::kSwitchCount, false);
  bool buttonsEnabled = true;
  std::vector<Item> items;
  int selected = -1;
  std::function<bool(UserEntry&)> editor;
  std::vector<UserEntry*> edited;
  RecordingMessageBoxes messages;
};

UserEntry* AddNamed(SetupData& settings, const std::string& name) {
  UserEntry entry;
  entry.name = name;
  entry.dirs = {"Dir:C:\\" + name};
  return settings.AddEntry(entry);
}

struct SettingsEditorTest : ::testing::Test {
  SetupData settings;
  FakeSettingsWindow window;
  SettingsEditor editor{settings, window};
};

TEST_F(SettingsEditorTest, SwitchesInTheOrderOfTheCheckBoxes) {
  const std::array<bool SetupData::*, 11> expected = {
      &SetupData::cleanCache,      &SetupData::cleanCookie,     &SetupData::cleanHistory,
      &SetupData::cleanTemp,       &SetupData::cleanRecent,     &SetupData::cleanRecycleBin,
      &SetupData::cleanIndexEntry, &SetupData::cleanTypedUrl,   &SetupData::cleanMediaPlayer,
      &SetupData::cleanRealPlayer, &SetupData::cleanRealOne,
  };
  EXPECT_EQ(SettingsEditor::kSwitches, expected);
}

TEST_F(SettingsEditorTest, FillShowsSwitchesAndEntriesWithTheButtonsOff) {
  settings.cleanCookie = false;
  settings.cleanRealOne = false;
  UserEntry* first = AddNamed(settings, "first");
  UserEntry* second = AddNamed(settings, "둘째");
  editor.Fill();

  for (int box = 0; box < SettingsEditor::kSwitchCount; ++box) {
    EXPECT_EQ(window.ticked[static_cast<std::size_t>(box)], box != 1 && box != 10) << "box " << box;
  }
  ASSERT_EQ(window.items.size(), 2u);
  EXPECT_EQ(window.items[0].text, "first");
  EXPECT_EQ(window.items[0].entry, first);
  EXPECT_EQ(window.items[1].text, "둘째");
  EXPECT_EQ(window.items[1].entry, second);
  EXPECT_FALSE(window.buttonsEnabled);
}

TEST_F(SettingsEditorTest, SwitchesChangeOnOkOnly) {
  editor.Fill();
  window.ticked[5] = false;  // 휴지통
  // Cancel is the window ending without Accept: the record is untouched.
  EXPECT_TRUE(settings.cleanRecycleBin);
  editor.Accept();
  EXPECT_FALSE(settings.cleanRecycleBin);
  EXPECT_EQ(settings.CountEnabledCategories(), 10);
}

TEST_F(SettingsEditorTest, ButtonsFollowTheSelection) {
  AddNamed(settings, "a");
  editor.Fill();
  window.selected = 0;
  editor.UpdateEntryButtons();
  EXPECT_TRUE(window.buttonsEnabled);
  window.selected = -1;
  editor.UpdateEntryButtons();
  EXPECT_FALSE(window.buttonsEnabled);
}

TEST_F(SettingsEditorTest, AddKeepsWhatTheEditorMadeOnlyOnOk) {
  AddNamed(settings, "old");
  editor.Fill();
  bool startedUnticked = false;
  window.editor = [&](UserEntry& draft) {
    startedUnticked = !draft.includeSubfolders && draft.name.empty() && draft.dirs.empty() && draft.regKeys.empty();
    draft.name = "새 항목";
    draft.dirs.push_back("Dir:C:\\A");
    draft.regKeys.push_back("Reg:HKEY_CURRENT_USER\\Software\\X");
    return false;
  };
  editor.AddEntry();
  EXPECT_TRUE(startedUnticked);
  EXPECT_EQ(settings.userEntries.size(), 1u) << "a cancelled editor adds nothing";
  EXPECT_EQ(window.items.size(), 1u);

  window.editor = [](UserEntry& draft) {
    draft.name = "새 항목";
    draft.includeSubfolders = true;
    draft.dirs.push_back("Dir:C:\\A");
    return true;
  };
  editor.AddEntry();
  ASSERT_EQ(settings.userEntries.size(), 2u);
  const UserEntry& added = *settings.userEntries[1];
  EXPECT_EQ(added.name, "새 항목");
  EXPECT_TRUE(added.includeSubfolders);
  EXPECT_EQ(added.dirs, (std::vector<std::string>{"Dir:C:\\A"}));
  ASSERT_EQ(window.items.size(), 2u);
  EXPECT_EQ(window.items[1].text, "새 항목");
  EXPECT_EQ(window.items[1].entry, &added);
  EXPECT_NE(window.edited.back(), &added) << "the editor worked on a draft, not on the record";
}

TEST_F(SettingsEditorTest, EditWorksOnTheLiveEntryAndLeavesTheItemText) {
  AddNamed(settings, "a");
  UserEntry* b = AddNamed(settings, "b");
  editor.Fill();
  window.selected = 1;
  window.editor = [](UserEntry& entry) {
    entry.name = "renamed";
    entry.dirs.push_back("Dir:C:\\more");
    return false;  // Cancel keeps what was changed
  };
  for (auto source : {SettingsEditor::Source::kButton, SettingsEditor::Source::kList}) {
    editor.EditSelected(source);
  }
  ASSERT_EQ(window.edited.size(), 2u);
  EXPECT_EQ(window.edited[0], b);
  EXPECT_EQ(b->name, "renamed");
  EXPECT_EQ(b->dirs.size(), 3u);
  EXPECT_EQ(window.items[1].text, "b");
  EXPECT_TRUE(window.messages.shown.empty());
}

TEST_F(SettingsEditorTest, DeleteRemovesTheItemAndItsEntryWithoutAsking) {
  UserEntry* a = AddNamed(settings, "a");
  AddNamed(settings, "b");
  UserEntry* c = AddNamed(settings, "c");
  editor.Fill();
  window.selected = 1;
  editor.DeleteSelected(SettingsEditor::Source::kList);
  ASSERT_EQ(settings.userEntries.size(), 2u);
  EXPECT_EQ(settings.userEntries[0].get(), a);
  EXPECT_EQ(settings.userEntries[1].get(), c);
  ASSERT_EQ(window.items.size(), 2u);
  EXPECT_EQ(window.items[0].entry, a);
  EXPECT_EQ(window.items[1].entry, c);
  EXPECT_EQ(window.items[1].text, "c");
  EXPECT_TRUE(window.messages.shown.empty());
  EXPECT_TRUE(window.edited.empty());
}

// Edit and delete without a selection, or with an item whose entry is gone:
// the buttons say so, the list's clicks and keys stay silent.
TEST_F(SettingsEditorTest, MissingSelectionOrEntryIsReportedByTheButtonsOnly) {
  struct Case {
    const char* name;
    int selected;
    bool orphanItem;
    const char* message;
  };
  const Case cases[] = {
      {"nothing selected", -1, false, "Item을 찾을수 없습니다."},
      {"entry not in the record", 1, true, "Item을 메모리에서 찾을수 없습니다."},
  };
  using Action = void (SettingsEditor::*)(SettingsEditor::Source);
  for (const Case& c : cases) {
    for (Action action : {&SettingsEditor::EditSelected, &SettingsEditor::DeleteSelected}) {
      for (auto source : {SettingsEditor::Source::kButton, SettingsEditor::Source::kList}) {
        SCOPED_TRACE(c.name);
        SetupData record;
        AddNamed(record, "a");
        FakeSettingsWindow view;
        SettingsEditor rules(record, view);
        rules.Fill();
        UserEntry stranger;
        if (c.orphanItem) {
          view.Insert(1, "stranger");
          view.SetEntry(1, &stranger);
        }
        view.selected = c.selected;
        (rules.*action)(source);
        EXPECT_EQ(record.userEntries.size(), 1u);
        EXPECT_EQ(view.items.size(), c.orphanItem ? 2u : 1u);
        EXPECT_TRUE(view.edited.empty());
        if (source == SettingsEditor::Source::kButton) {
          ASSERT_EQ(view.messages.shown.size(), 1u);
          EXPECT_EQ(view.messages.shown[0].text, c.message);
          EXPECT_EQ(view.messages.shown[0].caption, "ERROR");
          EXPECT_EQ(view.messages.shown[0].style, mb::kIconHand);
        } else {
          EXPECT_TRUE(view.messages.shown.empty());
        }
      }
    }
  }
}

}  // namespace
}  // namespace vantrel
