#include "settings/reg_key_dialog.h"

#include "framework/sound.h"
#include "platform/win32/program_windows_win32.h"
#include "settings/registry_editor_find.h"
#include "settings/settings_windows.h"

namespace vantrel {

void RegKeyDialog::BindControls() {
  TextEntryDialog::BindControls();
  Bind(findButton, IDC_REG_KEY_FIND);
}

BOOL RegKeyDialog::OnInitDialog() {
  findButton.SetColours(kSettingsButtonText, kSettingsButtonFace);
  return TextEntryDialog::OnInitDialog();
}

bool RegKeyDialog::OnClicked(int id) {
  if (id != IDC_REG_KEY_FIND) return false;
  PlayClickSound();
  Win32ProgramWindows windows;
  FindInRegistryEditor(windows);
  return true;
}

void DirectoryTextDialog::BindControls() {
  TextEntryDialog::BindControls();
  Bind(example, IDC_DIRECTORY_TEXT_EXAMPLE);
}

BOOL DirectoryTextDialog::OnInitDialog() {
  example.SetColours(kSettingsLabelText, kSettingsLabelBackground);
  return TextEntryDialog::OnInitDialog();
}

}  // namespace vantrel
