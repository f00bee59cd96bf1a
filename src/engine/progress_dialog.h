#pragma once
// The small caption-less window that shows a cleaning run: the current step,
// a bar inside the step, a bar for the whole run and the step count. The
// cleaning operations run on it and move its bars directly.

#include <string>

#include "controls/color_label.h"
#include "controls/gradient_progress.h"
#include "controls/image_button.h"
#include "engine/cleaning_run.h"
#include "engine/folder_purge.h"
#include "framework/dialog.h"
#include "platform/progress_view.h"
#include "platform/win32/environment_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_box_win32.h"
#include "platform/win32/message_pump_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/running_programs_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/url_cache_win32.h"
#include "resource.h"

namespace vantrel {

class SetupData;

class ProgressDialog : public Dialog, public ProgressView {
 public:
  enum { IDD = IDD_PROGRESS };

  ProgressDialog();

  ProgressBarView& CategoryBar() override { return categoryBar; }
  ProgressBarView& OverallBar() override { return overallBar; }
  LabelView& StepLabel() override { return stepLabel; }
  LabelView& CountLabel() override { return countLabel; }
  MessageBoxes& Messages() override { return messages_; }

  // Cleans by settings (the caller's record) on the real system, showing the
  // run here. A request while a run is going on is ignored.
  void RunCleaning(SetupData* settings);
  bool Running() const { return run_.Running(); }

  // The folder steps of a run, on the folders of the system this runs on;
  // they read settings, which must be set.
  int CountFolderFiles(std::string path, bool includeSubfolders);
  int PurgeFolder(bool* guardedSwitch, std::string path, bool includeSubfolders, int startCount,
                  int expectedCount, int base, int span);

  // The record of the current or last run.
  SetupData* settings = nullptr;

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  bool OnClicked(int id) override;
  bool OnPaint() override;
  // Enter and Escape leave the window alone: only its X hides it.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  FolderPurge Folders();

  ColorLabel stepLabel;
  ColorLabel countLabel;
  ImageButton closeButton;
  GradientProgress categoryBar;
  GradientProgress overallBar;

  Win32MessageBoxes messages_;
  Win32FileSystem files_;
  Win32MessagePump pump_;
  Win32UrlCache cache_;
  Win32Registry registry_;
  Win32Shell shell_;
  Win32Environment environment_;
  Win32RunningPrograms programs_;
  SystemFolders systemFolders_;
  CleaningRun run_;
};

}  // namespace vantrel
