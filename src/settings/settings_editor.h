#pragma once
// What the settings window does with the settings record: the eleven check
// boxes (copied into the record on OK only) and the list of user entries,
// which are added, edited and deleted at once. The window binds its
// controls to the view below and runs the entry editor.

#include <array>

#include "settings/setup_data.h"

namespace vantrel {

class MessageBoxes;

// The window's list of user entries: one item per entry, showing its name
// and carrying its pointer. Items are never renamed.
class UserEntryList {
 public:
  virtual ~UserEntryList() = default;
  virtual int Count() = 0;
  // The selected item, or -1.
  virtual int Selected() = 0;
  // Inserts an item with text at index; returns where it went, or -1.
  virtual int Insert(int index, const std::string& text) = 0;
  virtual void SetEntry(int index, const UserEntry* entry) = 0;
  virtual const UserEntry* Entry(int index) = 0;
  virtual void Remove(int index) = 0;
};

class SettingsView {
 public:
  virtual ~SettingsView() = default;
  virtual UserEntryList& Entries() = 0;
  // The check box of switch number box (SettingsEditor::kSwitches order).
  virtual bool IsTicked(int box) = 0;
  virtual void SetTicked(int box, bool ticked) = 0;
  // Edit ("설정") and Delete ("삭제") together.
  virtual void EnableEntryButtons(bool enable) = 0;
  virtual MessageBoxes& Messages() = 0;
  // Runs the entry editor on entry; true when it ended with OK.
  virtual bool EditEntry(UserEntry& entry) = 0;
};

class SettingsEditor {
 public:
  static constexpr int kSwitchCount = 11;
  // The switches in the order of their check boxes, top to bottom.
  static const std::array<bool SetupData::*, kSwitchCount> kSwitches;

  // Where a request came from: the buttons complain about a missing
  // selection, the list's own keys and clicks stay silent.
  enum class Source { kButton, kList };

  SettingsEditor(SetupData& settings, SettingsView& view) : settings_(settings), view_(view) {}

  void Fill();
  void UpdateEntryButtons();
  // A new entry, added to the record only when its editor ends with OK.
  void AddEntry();
  // The selected entry itself is edited; its item keeps its text.
  void EditSelected(Source source);
  // The selected item and its entry go, without asking.
  void DeleteSelected(Source source);
  // The check boxes into the switches.
  void Accept();

 private:
  // The selected item and the index of its entry in the record, or nothing
  // (after the message a button gets).
  bool FindSelected(Source source, int& item, int& entryIndex);

  SetupData& settings_;
  SettingsView& view_;
};

}  // namespace vantrel
