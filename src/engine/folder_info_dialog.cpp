#include "engine/folder_info_dialog.h"

#include "controls/paint_panel.h"
#include "engine/window_docking.h"
#include "framework/gdi_handles.h"
#include "framework/sound.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_pump_win32.h"
#include "platform/win32/shell_win32.h"

namespace vantrel {

namespace {

constexpr COLORREF kPanelFill = RGB(0xFF, 0xC5, 0xFF);
constexpr COLORREF kTitleText = RGB(0x33, 0x99, 0xCC);

ScreenRect ScreenRectOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return ScreenRect{r.left, r.top, r.right, r.bottom};
}

}  // namespace

struct FolderInfoDialog::OwnPorts {
  Win32FileSystem files;
  Win32MessagePump pump;
  Win32Shell shell;
};

FolderInfoDialog::FolderInfoDialog()
    : Dialog(IDD),
      ownPorts_(std::make_unique<OwnPorts>()),
      survey_(ownPorts_->files, ownPorts_->pump, ownPorts_->shell) {}

FolderInfoDialog::FolderInfoDialog(FileSystem& files, MessagePump& pump, Shell& shell)
    : Dialog(IDD), survey_(files, pump, shell) {}

// The window goes before the ports it may still be walking with.
FolderInfoDialog::~FolderInfoDialog() { Destroy(); }

std::string FolderInfoDialog::TextControl::Text() {
  HWND edit = dialog_.Item(IDC_FOLDER_INFO_TEXT);
  const int length = GetWindowTextLengthA(edit);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(edit, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void FolderInfoDialog::TextControl::SetText(const std::string& text) {
  SetWindowTextA(dialog_.Item(IDC_FOLDER_INFO_TEXT), text.c_str());
}

void FolderInfoDialog::RefreshText() {
  if (settings == nullptr || hwnd() == nullptr) return;
  survey_.Refresh(*settings, textControl_);
}

void FolderInfoDialog::CleaningRunStarted() { survey_.RunStarted(); }

void FolderInfoDialog::CleaningRunEnded() {
  survey_.RunEnded();
  if (hwnd() != nullptr && IsWindowVisible(hwnd())) RefreshText();
}

void FolderInfoDialog::BindControls() {
  Bind(closeButton, IDC_FOLDER_INFO_CLOSE);
  Bind(title, IDC_FOLDER_INFO_TITLE);
}

BOOL FolderInfoDialog::OnInitDialog() {
  title.SetColours(kTitleText, kPanelFill);
  RefreshText();
  closeButton.LoadBitmaps(IDB_CLOSE_NORMAL, IDB_CLOSE_PRESSED, IDB_CLOSE_HOVER);
  closeButton.SizeToContent();
  SetTimer(hwnd(), kRefreshTimer, kRefreshPeriodMs, nullptr);
  return TRUE;
}

bool FolderInfoDialog::OnTimer(UINT_PTR) {
  if (IsWindowVisible(hwnd())) RefreshText();
  return false;
}

bool FolderInfoDialog::OnPaint() {
  PaintDC dc(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  PaintPanel(dc.get(), client, SideWindowPanelLook(kPanelFill));
  return true;
}

bool FolderInfoDialog::OnClicked(int id) {
  if (id != IDC_FOLDER_INFO_CLOSE) return false;
  PlayClickSound();
  Hide();
  return true;
}

std::optional<LRESULT> FolderInfoDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MOVE || message == WM_MOVING) DockToOwnerWindow();
  return Dialog::OnMessage(message, wParam, lParam);
}

void FolderInfoDialog::DockToOwnerWindow() {
  HWND owner = GetParent(hwnd());
  if (owner == nullptr) return;
  const ScreenRect window = ScreenRectOf(hwnd());
  const ScreenRect docked = DockToOwner(window, ScreenRectOf(owner));
  if (docked != window) {
    MoveWindow(hwnd(), docked.left, docked.top, docked.Width(), docked.Height(), TRUE);
  }
}

}  // namespace vantrel
