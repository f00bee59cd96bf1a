#include "updater/updater_dialog.h"

#include <commctrl.h>

#include "build_config.h"
#include "platform/signature_format.h"
#include "update_public_key.h"
#include "version.h"

namespace vantrel {

UpdaterDialog::UpdaterDialog(const std::string& commandLine)
    : Dialog(IDD),
      signatures_(RsaPublicKeyBlob(build::UpdateKeyModulus(), build::kUpdateKeyExponent)),
      updater_(UpdaterPorts{*this, messages_, files_, programs_, internet_, sockets_, clock_, starter_, documents_,
                            signatures_},
               UpdaterSetup{build::kUpdateServer, commandLine,
                            ThisProgramWidth(),
                            ProgramVersion{QORV_VERSION}}) {
  icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN));
}

BOOL UpdaterDialog::OnInitDialog() {
  SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  messages_.SetOwner(hwnd());
  starter_ = Win32ProgramStarter(hwnd());
  updater_.Prepare();
  return TRUE;
}

bool UpdaterDialog::OnClicked(int id) {
  if (id != IDC_UPDATER_STOP) return false;
  updater_.Stop();
  return true;
}

bool UpdaterDialog::OnTimer(UINT_PTR) {
  updater_.OnTimer();
  return false;
}

void UpdaterDialog::OnCancel() {
  updater_.OnClose();
  Dialog::OnCancel();
}

bool UpdaterDialog::OnPaint() {
  if (!IsIconic(hwnd())) return false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd(), &paint);
  SendMessageA(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(hwnd(), &client);
  const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, icon);
  EndPaint(hwnd(), &paint);
  return true;
}

std::optional<LRESULT> UpdaterDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_QUERYDRAGICON) return reinterpret_cast<LRESULT>(icon);
  return Dialog::OnMessage(message, wParam, lParam);
}

void UpdaterDialog::SetStatus(const std::string& text) { SetDlgItemTextA(hwnd(), IDC_UPDATER_STATUS, text.c_str()); }

void UpdaterDialog::ResetBar() {
  HWND bar = Item(IDC_UPDATER_PROGRESS);
  SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SendMessageA(bar, PBM_SETSTEP, 1, 0);
  SendMessageA(bar, PBM_SETPOS, 0, 0);
}

void UpdaterDialog::SetBarPosition(int position) {
  SendMessageA(Item(IDC_UPDATER_PROGRESS), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void UpdaterDialog::StartTimer() { SetTimer(hwnd(), kTimer, kTimerMs, nullptr); }

void UpdaterDialog::StopTimer() { KillTimer(hwnd(), kTimer); }

void UpdaterDialog::WaitForInput(unsigned milliseconds) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    // Through the dialog's keys as its own loop would: Escape closes it.
    if (IsDialogMessageA(hwnd(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool UpdaterDialog::WindowExists(const std::string& title) { return FindWindowA(nullptr, title.c_str()) != nullptr; }

void UpdaterDialog::Close() { SendMessageA(hwnd(), WM_CLOSE, 0, 0); }

}  // namespace vantrel
