#include "settings/settings_dialog.h"

#include <commctrl.h>

#include "controls/paint_panel.h"
#include "framework/gdi_handles.h"
#include "framework/sound.h"
#include "settings/entry_editor_dialog.h"
#include "settings/settings_windows.h"

namespace vantrel {

namespace {

struct Tip {
  int id;
  const char* text;
};

// The check boxes in SettingsEditor::kSwitches order, with their tooltips.
constexpr Tip kSwitchBoxes[SettingsEditor::kSwitchCount] = {
    {IDC_SETTINGS_CACHE, "Cache: 익스플로러에서 남기는 그림,문서,HTML 파일등을 말합니다."},
    {IDC_SETTINGS_COOKIE, "Cookie: 사용자의 로그인 정보 등이 남겨진 파일을 말합니다."},
    {IDC_SETTINGS_HISTORY, "History: 익스플로러의 방문 기록을 말합니다."},
    {IDC_SETTINGS_TEMP,
     "Temp: 인스톨,복사 등의 작업을 할때 잠시 사용되는 폴더로 파일들이 지워지지 않는 경우가 빈번히 발생합니다."},
    {IDC_SETTINGS_RECENT, "Recent: 윈도우의 최근 실행기록을 말합니다."},
    {IDC_SETTINGS_RECYCLE_BIN, "윈도우의 휴지통."},
    {IDC_SETTINGS_INDEX_ENTRY, "Entry: 익스플로러에서의 index.dat 파일로, 익스플로러의 기록이 남습니다."},
    {IDC_SETTINGS_TYPED_URL, "URL Address: 익스플로러 주소 창에서 기록된 주소를 말합니다."},
    {IDC_SETTINGS_MEDIA_PLAYER, "윈도우 미디어 플레이어."},
    {IDC_SETTINGS_REAL_PLAYER, "Real Player."},
    {IDC_SETTINGS_REAL_ONE, "Real One Player."},
};

// The buttons in the order they are prepared.
constexpr Tip kButtons[] = {
    {IDC_SETTINGS_ENTRY_ADD, "사용자의 청소 디렉토리,레지스트리 추가 버튼."},
    {IDC_SETTINGS_ENTRY_EDIT, "사용자의 청소 디렉토리,레지스트리 설정 버튼."},
    {IDC_SETTINGS_ENTRY_DELETE, "사용자의 청소 디렉토리,레지스트리 삭제 버튼."},
    {IDOK, "설정 저장."},
    {IDCANCEL, "취소. 하지만 취소를해도 사용자 청소 설정은 남습니다."},
};

constexpr WORD kDeleteKey = VK_DELETE;

}  // namespace

SettingsDialog::SettingsDialog(SetupData* settingsToEdit)
    : Dialog(IDD), settings(settingsToEdit), rules_(*settingsToEdit, *this) {}

void SettingsDialog::BindControls() {
  for (int box = 0; box < SettingsEditor::kSwitchCount; ++box) Bind(switchBoxes[box], kSwitchBoxes[box].id);
  Bind(entriesTitle, IDC_SETTINGS_ENTRIES_TITLE);
  Bind(title, IDC_SETTINGS_TITLE);
  Bind(addButton, IDC_SETTINGS_ENTRY_ADD);
  Bind(deleteButton, IDC_SETTINGS_ENTRY_DELETE);
  Bind(editButton, IDC_SETTINGS_ENTRY_EDIT);
  Bind(okButton, IDOK);
  Bind(cancelButton, IDCANCEL);
}

BOOL SettingsDialog::OnInitDialog() {
  messages_.SetOwner(hwnd());
  toolTip.Create(hwnd());
  HoverButton* const buttons[] = {&addButton, &editButton, &deleteButton, &okButton, &cancelButton};
  for (std::size_t i = 0; i < std::size(kButtons); ++i) {
    buttons[i]->SetColours(kSettingsButtonText, kSettingsButtonFace);
    toolTip.AddTool(buttons[i]->hwnd(), kButtons[i].text);
  }
  for (int box = 0; box < SettingsEditor::kSwitchCount; ++box) {
    switchBoxes[box].SetColours(kSettingsLabelText, kSettingsLabelBackground);
    toolTip.AddTool(switchBoxes[box].hwnd(), kSwitchBoxes[box].text);
  }
  entriesTitle.SetColours(kSettingsLabelText, kSettingsLabelBackground);
  title.SetColours(kSettingsLabelText, kSettingsLabelBackground);
  rules_.Fill();
  return TRUE;
}

bool SettingsDialog::PreTranslateMessage(MSG& message) {
  if (toolTip.hwnd() != nullptr) toolTip.RelayEvent(message);
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && message.hwnd == List()) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
  }
  return false;
}

bool SettingsDialog::OnClicked(int id) {
  switch (id) {
    case IDC_SETTINGS_ENTRY_ADD:
      PlayClickSound();
      rules_.AddEntry();
      return true;
    case IDC_SETTINGS_ENTRY_EDIT:
      PlayClickSound();
      rules_.EditSelected(SettingsEditor::Source::kButton);
      return true;
    case IDC_SETTINGS_ENTRY_DELETE:
      PlayClickSound();
      rules_.DeleteSelected(SettingsEditor::Source::kButton);
      return true;
    default:
      return false;
  }
}

std::optional<LRESULT> SettingsDialog::OnNotify(int id, NMHDR& header) {
  if (id != IDC_SETTINGS_ENTRIES) return Dialog::OnNotify(id, header);
  switch (header.code) {
    case LVN_ITEMCHANGED:
    case NM_SETFOCUS:
    case NM_KILLFOCUS:
      rules_.UpdateEntryButtons();
      return 0;
    case NM_DBLCLK:
    case NM_RETURN:
      rules_.EditSelected(SettingsEditor::Source::kList);
      return 0;
    case LVN_KEYDOWN:
      if (reinterpret_cast<NMLVKEYDOWN&>(header).wVKey == kDeleteKey) {
        rules_.DeleteSelected(SettingsEditor::Source::kList);
      }
      return 0;
    default:
      return Dialog::OnNotify(id, header);
  }
}

void SettingsDialog::OnOK() {
  PlayClickSound();
  rules_.Accept();
  EndDialog(IDOK);
}

void SettingsDialog::OnCancel() {
  PlayClickSound();
  EndDialog(IDCANCEL);
}

bool SettingsDialog::OnPaint() {
  PaintDC dc(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  PaintPanel(dc.get(), client, kSettingsPanelFill);
  return true;
}

bool SettingsDialog::IsTicked(int box) {
  return IsDlgButtonChecked(hwnd(), kSwitchBoxes[box].id) == BST_CHECKED;
}

void SettingsDialog::SetTicked(int box, bool ticked) {
  CheckDlgButton(hwnd(), kSwitchBoxes[box].id, ticked ? BST_CHECKED : BST_UNCHECKED);
}

void SettingsDialog::EnableEntryButtons(bool enable) {
  EnableWindow(Item(IDC_SETTINGS_ENTRY_DELETE), enable ? TRUE : FALSE);
  EnableWindow(Item(IDC_SETTINGS_ENTRY_EDIT), enable ? TRUE : FALSE);
}

bool SettingsDialog::EditEntry(UserEntry& entry) {
  EntryEditorDialog editor(&entry);
  return editor.DoModal(hwnd()) == IDOK;
}

int SettingsDialog::Count() { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }

int SettingsDialog::Selected() {
  return static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int SettingsDialog::Insert(int index, const std::string& text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<char*>(text.c_str());
  return static_cast<int>(SendMessageA(List(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void SettingsDialog::SetEntry(int index, const UserEntry* entry) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  item.lParam = reinterpret_cast<LPARAM>(entry);
  SendMessageA(List(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

const UserEntry* SettingsDialog::Entry(int index) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (!SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
  return reinterpret_cast<const UserEntry*>(item.lParam);
}

void SettingsDialog::Remove(int index) { SendMessageA(List(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0); }

}  // namespace vantrel
