#pragma once
// The settings window: which categories a run cleans (taken on OK only) and
// the user's own entries (added, edited and deleted at once, whatever the
// window ends with). Opened modally by the main window on its record.

#include <array>

#include "controls/color_label.h"
#include "controls/hover_button.h"
#include "framework/dialog.h"
#include "framework/tooltip.h"
#include "platform/win32/message_box_win32.h"
#include "resource.h"
#include "settings/settings_editor.h"

namespace vantrel {

class SetupData;

class SettingsDialog : public Dialog, private SettingsView, private UserEntryList {
 public:
  enum { IDD = IDD_SETTINGS };

  // settings stays the caller's.
  explicit SettingsDialog(SetupData* settings);

  // Hands every message to the tooltips; Return in the entry list edits the
  // selected entry instead of pressing OK.
  bool PreTranslateMessage(MSG& message) override;

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  bool OnClicked(int id) override;
  bool OnPaint() override;
  std::optional<LRESULT> OnNotify(int id, NMHDR& header) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  HWND List() const { return Item(IDC_SETTINGS_ENTRIES); }

  // SettingsView
  UserEntryList& Entries() override { return *this; }
  bool IsTicked(int box) override;
  void SetTicked(int box, bool ticked) override;
  void EnableEntryButtons(bool enable) override;
  MessageBoxes& Messages() override { return messages_; }
  bool EditEntry(UserEntry& entry) override;

  // UserEntryList: list view 1083
  int Count() override;
  int Selected() override;
  int Insert(int index, const std::string& text) override;
  void SetEntry(int index, const UserEntry* entry) override;
  const UserEntry* Entry(int index) override;
  void Remove(int index) override;

  SetupData* settings;
  ToolTip toolTip;
  std::array<ColorLabel, SettingsEditor::kSwitchCount> switchBoxes;
  ColorLabel entriesTitle;
  ColorLabel title;
  HoverButton addButton;
  HoverButton deleteButton;
  HoverButton editButton;
  HoverButton okButton;
  HoverButton cancelButton;

  Win32MessageBoxes messages_;
  SettingsEditor rules_;
};

}  // namespace vantrel
