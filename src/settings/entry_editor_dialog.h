#pragma once
// The entry editor: the name, the sub-folder flag and the directories and
// registry keys of one user entry, changed in place.

#include <string>

#include "controls/color_label.h"
#include "controls/hover_button.h"
#include "framework/dialog.h"
#include "platform/win32/message_box_win32.h"
#include "resource.h"
#include "settings/entry_editor.h"

namespace vantrel {

class UserEntry;

class EntryEditorDialog : public Dialog, private EntryEditorView, private EntryStringList {
 public:
  enum { IDD = IDD_ENTRY_EDITOR };
  static constexpr UINT_PTR kFocusTimer = 1;
  static constexpr UINT kFocusDelayMs = 100;

  // entry stays the caller's.
  explicit EntryEditorDialog(UserEntry* entry);

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnClicked(int id) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnPaint() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  // The shell's folder browser, owned by this window.
  std::optional<std::string> BrowseForFolder();
  std::optional<std::string> AskForKeyName();
  std::optional<std::string> AskForDirectory();

  // EntryEditorView
  EntryStringList& Strings() override { return *this; }
  std::string NameText() override;
  void SetNameText(const std::string& text) override;
  bool SubfoldersTicked() override;
  void SetSubfoldersTicked(bool ticked) override;
  void EnableDelete(bool enable) override;
  MessageBoxes& Messages() override { return messages_; }
  std::string DefaultTitle() override;

  // EntryStringList: list box 1083
  void Add(const std::string& text) override;
  int Count() override;
  bool IsSelected(int index) override;
  std::string Text(int index) override;
  void Remove(int index) override;

  UserEntry* entry;
  ColorLabel subfoldersBox;
  ColorLabel nameLabel;
  ColorLabel title;
  ColorLabel warning;
  HoverButton okButton;
  HoverButton cancelButton;
  HoverButton deleteButton;
  HoverButton addDirectoryButton;
  HoverButton addKeyButton;
  HoverButton typeDirectoryButton;

  Win32MessageBoxes messages_;
  EntryEditor rules_;
};

}  // namespace vantrel
