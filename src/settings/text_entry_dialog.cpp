#include "settings/text_entry_dialog.h"

#include "controls/paint_panel.h"
#include "framework/gdi_handles.h"
#include "framework/sound.h"
#include "settings/settings_windows.h"

namespace vantrel {

void TextEntryDialog::BindControls() {
  Bind(label, labelId_);
  Bind(addButton, IDOK);
  Bind(cancelButton, IDCANCEL);
}

BOOL TextEntryDialog::OnInitDialog() {
  for (HoverButton* button : {&addButton, &cancelButton}) {
    button->SetColours(kSettingsButtonText, kSettingsButtonFace);
  }
  label.SetColours(kSettingsLabelText, kSettingsLabelBackground);
  SetTimer(hwnd(), kFocusTimer, kFocusDelayMs, nullptr);
  return TRUE;
}

bool TextEntryDialog::OnTimer(UINT_PTR id) {
  if (id != kFocusTimer) return false;
  KillTimer(hwnd(), kFocusTimer);
  SetFocus(Item(editId_));
  return true;
}

void TextEntryDialog::OnOK() {
  PlayClickSound();
  text = ItemText(hwnd(), editId_);
  EndDialog(IDOK);
}

void TextEntryDialog::OnCancel() {
  PlayClickSound();
  EndDialog(IDCANCEL);
}

bool TextEntryDialog::OnPaint() {
  PaintDC dc(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  PaintPanel(dc.get(), client, kSettingsPanelFill);
  return true;
}

}  // namespace vantrel
