#include "settings/entry_editor_dialog.h"

#include <shlobj.h>

#include "controls/paint_panel.h"
#include "framework/gdi_handles.h"
#include "framework/sound.h"
#include "platform/win32/module_path_win32.h"
#include "settings/reg_key_dialog.h"
#include "settings/settings_windows.h"

namespace vantrel {

namespace {
constexpr std::size_t kFolderPathSize = 1024;
constexpr LONG kListTextMargin = 8;
}

EntryEditorDialog::EntryEditorDialog(UserEntry* entryToEdit)
    : Dialog(IDD), entry(entryToEdit), rules_(*entryToEdit, *this) {}

void EntryEditorDialog::BindControls() {
  Bind(subfoldersBox, IDC_EDITOR_SUBFOLDERS);
  Bind(nameLabel, IDC_EDITOR_NAME_LABEL);
  Bind(title, IDC_EDITOR_TITLE);
  Bind(warning, IDC_EDITOR_WARNING);
  Bind(okButton, IDOK);
  Bind(cancelButton, IDCANCEL);
  Bind(deleteButton, IDC_EDITOR_DELETE);
  Bind(addDirectoryButton, IDC_EDITOR_ADD_DIRECTORY);
  Bind(addKeyButton, IDC_EDITOR_ADD_KEY);
  Bind(typeDirectoryButton, IDC_EDITOR_TYPE_DIRECTORY);
}

BOOL EntryEditorDialog::OnInitDialog() {
  messages_.SetOwner(hwnd());
  for (HoverButton* button :
       {&addDirectoryButton, &addKeyButton, &typeDirectoryButton, &deleteButton, &okButton, &cancelButton}) {
    button->SetColours(kSettingsButtonText, kSettingsButtonFace);
  }
  for (ColorLabel* label : {&subfoldersBox, &nameLabel, &title, &warning}) {
    label->SetColours(kSettingsLabelText, kSettingsLabelBackground);
  }
  rules_.Fill();
  SetTimer(hwnd(), kFocusTimer, kFocusDelayMs, nullptr);
  return TRUE;
}

bool EntryEditorDialog::OnCommand(int id, int code, HWND control) {
  if (id == IDC_EDITOR_STRINGS) {
    if (code == LBN_SELCHANGE || code == LBN_SETFOCUS || code == LBN_KILLFOCUS) rules_.UpdateDeleteButton();
    return true;
  }
  return Dialog::OnCommand(id, code, control);
}

bool EntryEditorDialog::OnClicked(int id) {
  switch (id) {
    case IDC_EDITOR_ADD_DIRECTORY:
      PlayClickSound();
      rules_.AddDirectory(BrowseForFolder());
      return true;
    case IDC_EDITOR_ADD_KEY:
      PlayClickSound();
      rules_.AddRegistryKey(AskForKeyName());
      return true;
    case IDC_EDITOR_TYPE_DIRECTORY:
      PlayClickSound();
      rules_.AddDirectory(AskForDirectory());
      return true;
    case IDC_EDITOR_DELETE:
      PlayClickSound();
      rules_.DeleteSelected();
      return true;
    default:
      return false;
  }
}

bool EntryEditorDialog::OnTimer(UINT_PTR id) {
  if (id != kFocusTimer) return false;
  KillTimer(hwnd(), kFocusTimer);
  SetFocus(Item(IDC_EDITOR_NAME));
  return true;
}

bool EntryEditorDialog::OnPaint() {
  PaintDC dc(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  PaintPanel(dc.get(), client, kSettingsPanelFill);
  return true;
}

void EntryEditorDialog::OnOK() {
  PlayClickSound();
  if (rules_.Accept()) EndDialog(IDOK);
}

// No click here: Cancel ends the window quietly.
void EntryEditorDialog::OnCancel() { EndDialog(IDCANCEL); }

std::optional<std::string> EntryEditorDialog::BrowseForFolder() {
  BROWSEINFOA browse = {};
  browse.hwndOwner = hwnd();
  LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
  if (chosen == nullptr) return std::nullopt;
  char path[kFolderPathSize] = {};
  SHGetPathFromIDListA(chosen, path);
  CoTaskMemFree(chosen);
  return std::string(path);
}

std::optional<std::string> EntryEditorDialog::AskForKeyName() {
  RegKeyDialog keyWindow;
  if (keyWindow.DoModal() != IDOK) return std::nullopt;
  return keyWindow.text;
}

std::optional<std::string> EntryEditorDialog::AskForDirectory() {
  DirectoryTextDialog directoryWindow;
  if (directoryWindow.DoModal() != IDOK) return std::nullopt;
  return directoryWindow.text;
}

std::string EntryEditorDialog::NameText() { return ItemText(hwnd(), IDC_EDITOR_NAME); }

void EntryEditorDialog::SetNameText(const std::string& text) { SetDlgItemTextA(hwnd(), IDC_EDITOR_NAME, text.c_str()); }

bool EntryEditorDialog::SubfoldersTicked() { return IsDlgButtonChecked(hwnd(), IDC_EDITOR_SUBFOLDERS) == BST_CHECKED; }

void EntryEditorDialog::SetSubfoldersTicked(bool ticked) {
  CheckDlgButton(hwnd(), IDC_EDITOR_SUBFOLDERS, ticked ? BST_CHECKED : BST_UNCHECKED);
}

void EntryEditorDialog::EnableDelete(bool enable) { EnableWindow(Item(IDC_EDITOR_DELETE), enable ? TRUE : FALSE); }

std::string EntryEditorDialog::DefaultTitle() { return ProgramTitleOf(RunningProgramFileName()); }

// The list's scroll bar reaches the end of the longest string added.
void EntryEditorDialog::Add(const std::string& text) {
  HWND list = Item(IDC_EDITOR_STRINGS);
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  HDC dc = GetDC(list);
  if (dc == nullptr) return;
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
  SIZE extent = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, oldFont);
  ReleaseDC(list, dc);
  const LONG width = extent.cx + kListTextMargin;
  if (width > SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0)) {
    SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
  }
}

int EntryEditorDialog::Count() {
  return static_cast<int>(SendDlgItemMessageA(hwnd(), IDC_EDITOR_STRINGS, LB_GETCOUNT, 0, 0));
}

bool EntryEditorDialog::IsSelected(int index) {
  return SendDlgItemMessageA(hwnd(), IDC_EDITOR_STRINGS, LB_GETSEL, static_cast<WPARAM>(index), 0) == 1;
}

std::string EntryEditorDialog::Text(int index) {
  const LRESULT length = SendDlgItemMessageA(hwnd(), IDC_EDITOR_STRINGS, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = SendDlgItemMessageA(hwnd(), IDC_EDITOR_STRINGS, LB_GETTEXT, static_cast<WPARAM>(index),
                                             reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

void EntryEditorDialog::Remove(int index) {
  SendDlgItemMessageA(hwnd(), IDC_EDITOR_STRINGS, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

}  // namespace vantrel
