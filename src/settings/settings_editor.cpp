#include "settings/settings_editor.h"

#include "platform/message_box.h"

namespace vantrel {

const std::array<bool SetupData::*, SettingsEditor::kSwitchCount> SettingsEditor::kSwitches = {
    &SetupData::cleanCache,       &SetupData::cleanCookie,     &SetupData::cleanHistory,
    &SetupData::cleanTemp,        &SetupData::cleanRecent,     &SetupData::cleanRecycleBin,
    &SetupData::cleanIndexEntry,  &SetupData::cleanTypedUrl,   &SetupData::cleanMediaPlayer,
    &SetupData::cleanRealPlayer,  &SetupData::cleanRealOne,
};

void SettingsEditor::Fill() {
  view_.EnableEntryButtons(false);
  for (int box = 0; box < kSwitchCount; ++box) view_.SetTicked(box, settings_.*kSwitches[box]);
  UserEntryList& list = view_.Entries();
  for (std::size_t i = 0; i < settings_.userEntries.size(); ++i) {
    const UserEntry* entry = settings_.userEntries[i].get();
    const int item = list.Insert(static_cast<int>(i), entry->name);
    if (item >= 0) list.SetEntry(item, entry);
  }
}

void SettingsEditor::UpdateEntryButtons() { view_.EnableEntryButtons(view_.Entries().Selected() >= 0); }

void SettingsEditor::AddEntry() {
  // The sub-folder box starts unticked: a new entry cleans sub-folders only
  // when the user asks for it.
  UserEntry draft;
  if (!view_.EditEntry(draft)) return;
  UserEntryList& list = view_.Entries();
  const int item = list.Insert(list.Count(), draft.name);
  const UserEntry* added = settings_.AddEntry(draft);
  if (item >= 0) list.SetEntry(item, added);
}

bool SettingsEditor::FindSelected(Source source, int& item, int& entryIndex) {
  UserEntryList& list = view_.Entries();
  item = list.Selected();
  if (item < 0) {
    if (source == Source::kButton) view_.Messages().Show("Item을 찾을수 없습니다.", "ERROR", mb::kIconHand);
    return false;
  }
  entryIndex = settings_.FindEntry(list.Entry(item));
  if (entryIndex < 0) {
    if (source == Source::kButton) {
      view_.Messages().Show("Item을 메모리에서 찾을수 없습니다.", "ERROR", mb::kIconHand);
    }
    return false;
  }
  return true;
}

void SettingsEditor::EditSelected(Source source) {
  int item = -1;
  int entryIndex = -1;
  if (!FindSelected(source, item, entryIndex)) return;
  view_.EditEntry(*settings_.userEntries[static_cast<std::size_t>(entryIndex)]);
}

void SettingsEditor::DeleteSelected(Source source) {
  int item = -1;
  int entryIndex = -1;
  if (!FindSelected(source, item, entryIndex)) return;
  view_.Entries().Remove(item);
  settings_.userEntries.erase(settings_.userEntries.begin() + entryIndex);
}

void SettingsEditor::Accept() {
  for (int box = 0; box < kSwitchCount; ++box) settings_.*kSwitches[box] = view_.IsTicked(box);
}

}  // namespace vantrel
