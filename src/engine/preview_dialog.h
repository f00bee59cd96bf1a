#pragma once
// The preview window: counts what a run with the current settings would
// delete, on a thread of its own so that the window answers at once while
// it counts, and shows every step, its size and the totals. "취소" stops
// the count, "청소" starts the main window's run, "닫기" and "X" close it;
// closing stops the count and keeps nothing of it.

#include <windows.h>

#include <functional>
#include <memory>

#include "controls/color_label.h"
#include "controls/gradient_progress.h"
#include "controls/hover_button.h"
#include "controls/image_button.h"
#include "engine/preview_table.h"
#include "framework/dialog.h"
#include "resource.h"

namespace vantrel {

class SetupData;

class PreviewDialog : public Dialog {
 public:
  enum { IDD = IDD_PREVIEW };
  static constexpr UINT_PTR kProgressTimer = 1;
  static constexpr UINT kProgressPeriodMs = 100;
  // Posted by the counting thread when it has ended.
  static constexpr UINT kCountEnded = WM_APP + 1;

  // startRun: what "청소" does after the window has closed.
  explicit PreviewDialog(std::function<void()> startRun);
  ~PreviewDialog() override;

  // Shows the window and counts by a copy of settings; a window already
  // open only comes to the front.
  void Open(HWND owner, const SetupData& settings);
  // Stops the count and hides the window.
  void Close();
  bool Counting() const { return job_ != nullptr; }

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  bool OnClicked(int id) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnPaint() override;
  void OnOK() override {}
  void OnCancel() override { Close(); }
  void OnDestroy() override;
  std::optional<LRESULT> OnNotify(int id, NMHDR& header) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Job;
  static unsigned __stdcall CountingThread(void* job);

  void Start(const SetupData& settings);
  // Stops the counting thread and waits for it: it ends before its next item.
  void EndJob();
  void OnCountEnded();
  void ShowProgress();
  void ShowTable();
  void SetUpList();
  void FitColumns();
  void EnableStop(bool enabled);

  std::function<void()> startRun_;
  std::unique_ptr<Job> job_;
  PreviewTable table_;

  ColorLabel title;
  ColorLabel status;
  ColorLabel totals;
  ImageButton closeButton;
  GradientProgress bar;
  HoverButton cleanButton;
  HoverButton stopButton;
  HoverButton doneButton;
};

}  // namespace vantrel
