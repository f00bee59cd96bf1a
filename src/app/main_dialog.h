#pragma once
// The main window: a small caption-less panel with six picture buttons. It
// owns the settings record, the progress window and the folder window for
// the program's whole life; the program ends when its modal loop ends.

#include <windows.h>

#include <memory>
#include <string>

#include "app/menu_commands.h"
#include "app/splash_dialog.h"
#include "app/tray_icon.h"
#include "controls/image_button.h"
#include "engine/folder_info_dialog.h"
#include "engine/preview_dialog.h"
#include "engine/progress_dialog.h"
#include "framework/dialog.h"
#include "framework/tooltip.h"
#include "platform/win32/environment_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_box_win32.h"
#include "platform/win32/message_pump_win32.h"
#include "platform/win32/notification_area_win32.h"
#include "platform/win32/text_converter_win32.h"
#include "resource.h"
#include "settings/settings_file.h"
#include "settings/setup_data.h"

namespace vantrel {

class MainDialog : public Dialog, private MenuCommandTarget {
 public:
  enum { IDD = IDD_MAIN };
  static constexpr UINT_PTR kSplashTimer = 1;
  static constexpr UINT kSplashTimeMs = 2800;
  static constexpr UINT_PTR kShowTimer = 4;
  static constexpr UINT kShowTimeMs = 2900;
  static constexpr UINT kShowRetryMs = 100;
  static constexpr UINT kTrayMessage = WM_USER + 10;

  MainDialog();
  ~MainDialog() override;

  void ShowAbout() override;
  void MinimizeToTray();
  void RestoreFromTray() override;
  void CenterOnScreen();
  void PlaceProgressWindow();
  void PlaceFolderWindow();
  void ShowSplash();
  // "SetupData.Sav" beside the program into setup, and back (saying so
  // when the settings could not be written anywhere). Without a file, the
  // ready-made cache entries come in.
  void LoadSettings();
  SettingsFile::SaveResult SaveSettings();

  bool PreTranslateMessage(MSG& message) override;

  // Command 1070 (the "설정" button and the menus' "설정"): the settings
  // window on setup, modally. Nothing is saved until the program ends.
  void ShowSettings();

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  bool OnClicked(int id) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnPaint() override;
  HCURSOR DragCursor() const override { return moveCursor; }
  void OnDestroy() override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnDrawItem(int id, DRAWITEMSTRUCT& item) override;
  bool OnMeasureItem(int id, MEASUREITEMSTRUCT& item) override;

 private:
  void ShowFolderWindow() override;
  void ShowProgressWindow() override;
  void ShowPreview() override;
  void OpenPage(const std::string& address) override;
  void Exit() override;
  void AddBrowserCaches() override;
  void TakeCaptionAway();
  void Clean();
  void ShowMainMenu(POINT screenPoint);
  void RemoveExchangeFiles();

  ProgressDialog progressWindow;
  ImageButton trayButton;
  ImageButton helpButton;
  ImageButton exitButton;
  ImageButton cleanButton;
  ImageButton menuButton;
  ImageButton settingsButton;
  std::string appFolder;
  FolderInfoDialog folderWindow;
  // "청소" there starts the run as the clean button does, once the preview
  // has closed.
  PreviewDialog previewWindow{
      [this] { PostMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(IDC_MAIN_CLEAN, BN_CLICKED), 0); }};
  SetupData setup;
  std::unique_ptr<SplashDialog> splash;
  bool firstPaintDone = true;
  // Placed in the middle and shown once the splash is over; false while the
  // user keeps in the tray a window sent there before its time.
  bool shownAfterSplash = false;
  RECT windowRect = {};
  ToolTip toolTip;
  HICON icon = nullptr;
  HCURSOR moveCursor = nullptr;
  Win32NotificationArea notificationArea_;
  CTrayIcon trayIcon{notificationArea_};
  MenuCommands menuCommands_;

  Win32FileSystem files_;
  Win32MessageBoxes messages_;
  Win32TextConverter converter_;
  Win32Environment environment_;
  Win32MessagePump pump_;
  SettingsFile settingsFile_;
};

}  // namespace vantrel
