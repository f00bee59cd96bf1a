#pragma once
// The folder-information window: shows where the cleaning folders are, how
// large they are and how large the Recycle Bin is, refreshed every two
// seconds while it is visible, and docks to the outside of its owner.

#include <windows.h>

#include <memory>

#include "controls/color_label.h"
#include "controls/image_button.h"
#include "engine/folder_survey.h"
#include "framework/dialog.h"
#include "resource.h"

namespace vantrel {

class FileSystem;
class MessagePump;
class SetupData;
class Shell;

class FolderInfoDialog : public Dialog {
 public:
  enum { IDD = IDD_FOLDER_INFO };
  static constexpr UINT_PTR kRefreshTimer = 1;
  static constexpr UINT kRefreshPeriodMs = 2000;

  // Surveys the real folders through the Win32 adapters.
  FolderInfoDialog();
  // Surveys through the given ports, which must outlive the window.
  FolderInfoDialog(FileSystem& files, MessagePump& pump, Shell& shell);
  ~FolderInfoDialog() override;

  // Rebuilds the survey text and shows it when it changed. Does nothing
  // while a refresh is running already or before settings is given.
  void RefreshText();

  // A cleaning run starts or ends: no refresh walks the folders while it
  // runs, and a visible window refreshes once when it has ended.
  void CleaningRunStarted();
  void CleaningRunEnded();

  // The main window's settings record; given before the window is created.
  SetupData* settings = nullptr;

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  bool OnTimer(UINT_PTR id) override;
  bool OnPaint() override;
  bool OnClicked(int id) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct OwnPorts;
  class TextControl : public SurveyTextView {
   public:
    explicit TextControl(const FolderInfoDialog& dialog) : dialog_(dialog) {}
    std::string Text() override;
    void SetText(const std::string& text) override;

   private:
    const FolderInfoDialog& dialog_;
  };

  void DockToOwnerWindow();

  std::unique_ptr<OwnPorts> ownPorts_;
  FolderSurvey survey_;
  TextControl textControl_{*this};

  ImageButton closeButton;
  ColorLabel title;
};

}  // namespace vantrel
