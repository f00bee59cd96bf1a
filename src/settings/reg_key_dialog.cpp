#include "settings/reg_key_dialog.h"

#include "controls/paint_panel.h"
#include "framework/gdi_handles.h"
#include "framework/sound.h"
#include "platform/win32/program_windows_win32.h"
#include "settings/registry_editor_find.h"
#include "settings/settings_windows.h"

namespace vantrel {

void RegKeyDialog::BindControls() {
  Bind(keyLabel, IDC_REG_KEY_LABEL);
  Bind(addButton, IDOK);
  Bind(cancelButton, IDCANCEL);
  Bind(findButton, IDC_REG_KEY_FIND);
}

BOOL RegKeyDialog::OnInitDialog() {
  for (HoverButton* button : {&findButton, &addButton, &cancelButton}) {
    button->SetColours(kSettingsButtonText, kSettingsButtonFace);
  }
  keyLabel.SetColours(kSettingsLabelText, kSettingsLabelBackground);
  SetTimer(hwnd(), kFocusTimer, kFocusDelayMs, nullptr);
  return TRUE;
}

bool RegKeyDialog::OnTimer(UINT_PTR id) {
  if (id != kFocusTimer) return false;
  KillTimer(hwnd(), kFocusTimer);
  SetFocus(Item(IDC_REG_KEY_NAME));
  return true;
}

bool RegKeyDialog::OnClicked(int id) {
  if (id != IDC_REG_KEY_FIND) return false;
  PlayClickSound();
  Win32ProgramWindows windows;
  FindInRegistryEditor(windows);
  return true;
}

void RegKeyDialog::OnOK() {
  PlayClickSound();
  keyName = ItemText(hwnd(), IDC_REG_KEY_NAME);
  EndDialog(IDOK);
}

void RegKeyDialog::OnCancel() {
  PlayClickSound();
  EndDialog(IDCANCEL);
}

bool RegKeyDialog::OnPaint() {
  PaintDC dc(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  PaintPanel(dc.get(), client, kSettingsPanelFill);
  return true;
}

}  // namespace vantrel
