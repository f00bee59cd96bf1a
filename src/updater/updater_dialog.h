#pragma once
// The updater's window: a status line, a bar and the STOP button. It binds
// the controls and the timer to the Updater, which does the work.

#include <windows.h>

#include "framework/dialog.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/internet_win32.h"
#include "platform/win32/message_box_win32.h"
#include "platform/win32/program_files_win32.h"
#include "platform/win32/program_starter_win32.h"
#include "platform/win32/signature_check_win32.h"
#include "platform/win32/sockets_win32.h"
#include "platform/win32/update_files_win32.h"
#include "resource.h"
#include "updater/updater.h"
#include "updater/updater_view.h"

namespace vantrel {

class UpdaterDialog : public Dialog, private UpdaterView {
 public:
  enum { IDD = IDD_UPDATER };
  static constexpr UINT_PTR kTimer = 1;
  static constexpr UINT kTimerMs = 500;

  explicit UpdaterDialog(const std::string& commandLine);

 protected:
  BOOL OnInitDialog() override;
  bool OnClicked(int id) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnPaint() override;
  void OnCancel() override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void SetStatus(const std::string& text) override;
  void ResetBar() override;
  void SetBarPosition(int position) override;
  void StartTimer() override;
  void StopTimer() override;
  void WaitForInput(unsigned milliseconds) override;
  bool WindowExists(const std::string& title) override;
  void Close() override;

  HICON icon = nullptr;
  Win32MessageBoxes messages_;
  Win32UpdateFiles files_;
  Win32ProgramFiles programs_;
  Win32Internet internet_;
  Win32Sockets sockets_;
  Win32Clock clock_;
  Win32ProgramStarter starter_;
  Win32ProgramStarter documents_;
  Win32SignatureChecks signatures_;
  Updater updater_;
};

}  // namespace vantrel
