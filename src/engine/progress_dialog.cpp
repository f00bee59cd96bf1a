#include "engine/progress_dialog.h"

#include <utility>

#include "controls/paint_panel.h"
#include "engine/folder_purge_win32.h"
#include "framework/gdi_handles.h"
#include "framework/sound.h"
#include "settings/setup_data.h"

namespace vantrel {

ProgressDialog::ProgressDialog()
    : Dialog(IDD),
      systemFolders_(RunningSystemFolders()),
      run_(CleaningRun::Ports{files_, pump_, cache_, registry_, shell_, environment_, programs_},
           *this, systemFolders_) {}

void ProgressDialog::RunCleaning(SetupData* runSettings) {
  if (run_.Running()) return;
  settings = runSettings;
  run_.RunCleaning(runSettings);
}

void ProgressDialog::BindControls() {
  Bind(countLabel, IDC_PROGRESS_COUNT_LABEL);
  Bind(categoryBar, IDC_PROGRESS_CATEGORY_BAR);
  Bind(overallBar, IDC_PROGRESS_OVERALL_BAR);
  Bind(stepLabel, IDC_PROGRESS_STEP_LABEL);
  Bind(closeButton, IDC_PROGRESS_CLOSE);
}

BOOL ProgressDialog::OnInitDialog() {
  messages_.SetOwner(hwnd());
  categoryBar.SetRange(0, 1000);
  overallBar.SetRange(0, 1000);
  categoryBar.SetPos(0);
  overallBar.SetPos(0);
  categoryBar.SetBackgroundColour(RGB(0xEA, 0xED, 0xF4));
  overallBar.SetBackgroundColour(RGB(0xEA, 0xED, 0xF4));
  overallBar.PaceWith(categoryBar);
  stepLabel.SetColours(RGB(0x33, 0x99, 0xCC), RGB(0xFF, 0xFF, 0xFF));
  countLabel.SetColours(RGB(0x33, 0x99, 0xCC), RGB(0xFF, 0xFF, 0xFF));
  closeButton.LoadBitmaps(IDB_CLOSE_NORMAL, IDB_CLOSE_PRESSED, IDB_CLOSE_HOVER);
  closeButton.SizeToContent();
  return TRUE;
}

bool ProgressDialog::OnClicked(int id) {
  if (id != IDC_PROGRESS_CLOSE) return false;
  // A run in progress goes on behind the hidden window.
  PlayClickSound();
  Hide();
  return true;
}

bool ProgressDialog::OnPaint() {
  PaintDC dc(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  const PanelLook look{MakeColour(0xFF, 0xC5, 0xFF), PanelInsets{18, 18, 18, 18},
                       MakeColour(0xFF, 0x00, 0xFF), MakeColour(0xF8, 0xFB, 0xFB)};
  PaintPanel(dc.get(), client, look);
  return true;
}

FolderPurge ProgressDialog::Folders() {
  return FolderPurge(files_, pump_, *this, *settings, WithImportantFolders(systemFolders_, shell_));
}

int ProgressDialog::CountFolderFiles(std::string path, bool includeSubfolders) {
  return Folders().CountFolderFiles(std::move(path), includeSubfolders);
}

int ProgressDialog::PurgeFolder(bool* guardedSwitch, std::string path, bool includeSubfolders,
                                int startCount, int expectedCount, int base, int span) {
  return Folders().PurgeFolder(guardedSwitch, std::move(path), includeSubfolders, startCount,
                               expectedCount, base, span);
}

}  // namespace vantrel
