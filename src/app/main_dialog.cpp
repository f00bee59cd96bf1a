#include "app/main_dialog.h"

#include <cstdio>
#include <windowsx.h>

#include "app/about_dialog.h"
#include "app/app_folder.h"
#include "app/icon_menu.h"
#include "app/main_window_layout.h"
#include "app/windows_name_win32.h"
#include "build_config.h"
#include "controls/paint_panel.h"
#include "engine/directory_pattern.h"
#include "engine/ready_made_entries.h"
#include "engine/special_folders.h"
#include "framework/gdi_handles.h"
#include "framework/sound.h"
#include "framework/window_handles.h"
#include "online/update_check_thread.h"
#include "online/web_links.h"
#include "platform/win32/module_path_win32.h"
#include "platform/win32/shell_win32.h"
#include "settings/settings_dialog.h"

namespace vantrel {

namespace {

struct ButtonLook {
  int id;
  int normal;
  int pressed;
  int hover;
  const char* tip;
};

// In the order the buttons are prepared.
constexpr ButtonLook kButtons[] = {
    {IDC_MAIN_TRAY, IDB_TRAY_NORMAL, IDB_TRAY_PRESSED, IDB_TRAY_HOVER, "트레이 아이콘으로."},
    {IDC_MAIN_HELP, IDB_HELP_NORMAL, IDB_HELP_PRESSED, IDB_HELP_HOVER, "도움말."},
    {IDC_MAIN_EXIT, IDB_CLOSE_NORMAL, IDB_CLOSE_PRESSED, IDB_CLOSE_HOVER, "종료!"},
    {IDC_MAIN_CLEAN, IDB_CLEAN_NORMAL, IDB_CLEAN_PRESSED, IDB_CLEAN_HOVER, "싹싹~ 깨끗이 청소를 하자! ^^"},
    {IDC_MAIN_MENU, IDB_MENU_NORMAL, IDB_MENU_PRESSED, IDB_MENU_HOVER, "메뉴 버튼."},
    {IDC_MAIN_SETTINGS, IDB_SETTINGS_NORMAL, IDB_SETTINGS_PRESSED, IDB_SETTINGS_HOVER,
     "무엇을 청소할까요? 직접 설정하세요."},
};

constexpr char kUpdateInfoFile[] = "UpDateInf.Txt";
constexpr char kBannerFile[] = "BANNER.GIF";
constexpr char kTrayTip[] = "Vantrel V.ZEL 1.2";

std::string FallbackSettingsFolderOfUser() {
  Win32Shell shell;
  return FallbackSettingsFolder(shell);
}

ScreenRect ScreenRectOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return ScreenRect{r.left, r.top, r.right, r.bottom};
}

void MoveTo(HWND window, ScreenPoint corner) {
  const ScreenRect now = ScreenRectOf(window);
  MoveWindow(window, corner.x, corner.y, now.Width(), now.Height(), TRUE);
}

}  // namespace

MainDialog::MainDialog()
    : Dialog(IDD),
      menuCommands_(build::kHomePage, build::kCounterPage),
      settingsFile_(files_, messages_, converter_, RunningProgramFileName(), FallbackSettingsFolderOfUser()) {
  icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN));
  moveCursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_MOVE));
}

// The window and its side windows go while the members they use still exist.
MainDialog::~MainDialog() { Destroy(); }

void MainDialog::BindControls() {
  Bind(trayButton, IDC_MAIN_TRAY);
  Bind(helpButton, IDC_MAIN_HELP);
  Bind(exitButton, IDC_MAIN_EXIT);
  Bind(cleanButton, IDC_MAIN_CLEAN);
  Bind(menuButton, IDC_MAIN_MENU);
  Bind(settingsButton, IDC_MAIN_SETTINGS);
}

// Our dialogs see their first messages only from WM_INITDIALOG on, so the
// caption goes here, before anything else looks at the window.
void MainDialog::TakeCaptionAway() {
  RECT created;
  GetWindowRect(hwnd(), &created);
  windowRect = RECT{0, 0, created.right - created.left,
                    MainWindowHeight(created.bottom - created.top, GetWindowsName())};
  const LONG style = GetWindowLongA(hwnd(), GWL_STYLE);
  SetWindowLongA(hwnd(), GWL_STYLE, style & static_cast<LONG>(0xFF3FFFFF));
  SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL MainDialog::OnInitDialog() {
  TakeCaptionAway();
  messages_.SetOwner(hwnd());
  toolTip.Create(hwnd());

  HMENU systemMenu = GetSystemMenu(hwnd(), FALSE);
  char aboutText[256] = {};
  if (systemMenu != nullptr &&
      LoadStringA(GetModuleHandleA(nullptr), IDS_SYSTEM_ABOUT, aboutText, sizeof aboutText) > 0) {
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, IDM_SYSTEM_ABOUT, aboutText);
  }

  SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

  Win32Shell shell(hwnd());
  FindSpecialFolders(shell, setup);
  firstPaintDone = false;

  // In the notification area while the splash is up.
  trayIcon.Install(hwnd(), kTrayMessage, kTrayTip, nullptr, IDM_TRAY_MENU);
  trayIcon.ChangeIconFromResource(IDI_MAIN);

  appFolder = AppFolderOf(RunningProgramFileName());
  RepairInterruptedUpdate(appFolder);

  ImageButton* const buttons[] = {&trayButton, &helpButton, &exitButton, &cleanButton, &menuButton, &settingsButton};
  for (std::size_t i = 0; i < std::size(kButtons); ++i) {
    buttons[i]->LoadBitmaps(kButtons[i].normal, kButtons[i].pressed, kButtons[i].hover);
    buttons[i]->SizeToContent();
    toolTip.AddTool(buttons[i]->hwnd(), kButtons[i].tip);
  }
  IconMenu::flatStyleXp = 1;
  IconMenu::flatStyleOther = 1;

  LoadSettings();

  if (progressWindow.Create(hwnd())) {
    progressWindow.Hide();
    PlaceProgressWindow();
  }
  folderWindow.settings = &setup;
  if (folderWindow.Create(hwnd())) {
    folderWindow.Hide();
    PlaceFolderWindow();
  }

  ShowSplash();
  SetTimer(hwnd(), kSplashTimer, kSplashTimeMs, nullptr);
  SetTimer(hwnd(), kShowTimer, kShowTimeMs, nullptr);
  return TRUE;
}

void MainDialog::LoadSettings() {
  if (settingsFile_.LoadSettings(setup) != SettingsFile::LoadOutcome::kNoFile) return;
  DirectoryExpansion expansion(environment_, files_, pump_);
  AddMissingCacheEntries(setup, expansion);
}

SettingsFile::SaveResult MainDialog::SaveSettings() { return settingsFile_.SaveSettingsOrWarn(setup); }

void MainDialog::ShowSplash() {
  splash = std::make_unique<SplashDialog>();
  splash->Open(hwnd());
}

bool MainDialog::OnTimer(UINT_PTR id) {
  if (id == kSplashTimer) {
    KillTimer(hwnd(), kSplashTimer);
    if (splash) splash->Hide();
    splash.reset();
    CenterOnScreen();
    StartUpdateCheck(hwnd(), appFolder);
    return true;
  }
  if (id == kShowTimer) {
    KillTimer(hwnd(), kShowTimer);
    // Sent to the tray before its time: it stays there until called back.
    if (IsIconic(hwnd())) return true;
    shownAfterSplash = true;
    CenterOnScreen();
    ShowWindow(hwnd(), SW_SHOW);
    trayIcon.Conceal();
    // A first paint that came after this moved the window away again.
    if (ScreenRectOf(hwnd()).left < 0) SetTimer(hwnd(), kShowTimer, kShowRetryMs, nullptr);
    return true;
  }
  return false;
}

// The first paint parks the window off-screen while the splash is up; the
// hide, minimise and restore make the system take the window as shown.
bool MainDialog::OnPaint() {
  if (!firstPaintDone) {
    firstPaintDone = true;
    // Not when it was sent to the tray before its first paint: it stays there.
    if (!IsIconic(hwnd())) {
      MoveWindow(hwnd(), -1000, -1000, windowRect.right - windowRect.left, windowRect.bottom - windowRect.top, TRUE);
      ShowWindow(hwnd(), SW_HIDE);
      ShowWindow(hwnd(), SW_MINIMIZE);
      ShowWindow(hwnd(), SW_SHOWNORMAL);
      ShowWindow(hwnd(), SW_SHOW);
    }
  }
  PaintDC dc(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  PaintPanel(dc.get(), client, MainPanelLook());
  if (IsIconic(hwnd())) {
    SendMessageA(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc.get(), x, y, icon);
  }
  return true;
}

void MainDialog::CenterOnScreen() {
  const int width = windowRect.right - windowRect.left;
  const int height = windowRect.bottom - windowRect.top;
  const ScreenPoint corner =
      CentredPosition(GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK), width, height);
  MoveWindow(hwnd(), corner.x, corner.y, width, height, TRUE);
}

void MainDialog::PlaceProgressWindow() {
  if (progressWindow.hwnd() == nullptr) return;
  const ScreenRect progress = ScreenRectOf(progressWindow.hwnd());
  MoveTo(progressWindow.hwnd(), ProgressWindowPosition(ScreenRectOf(hwnd()), progress.Width()));
}

void MainDialog::PlaceFolderWindow() {
  if (folderWindow.hwnd() == nullptr) return;
  const ScreenRect desktop = ScreenRectOf(GetDesktopWindow());
  const ScreenRect folder = ScreenRectOf(folderWindow.hwnd());
  MoveTo(folderWindow.hwnd(), FolderWindowPosition(desktop.Height(), folder.Height()));
}

void MainDialog::ShowAbout() {
  AboutDialog about;
  about.DoModal(hwnd());
}

void MainDialog::ShowSettings() {
  PlayClickSound();
  SettingsDialog settingsWindow(&setup);
  settingsWindow.DoModal(hwnd());
}

void MainDialog::MinimizeToTray() { ShowWindow(hwnd(), SW_MINIMIZE); }

void MainDialog::RestoreFromTray() {
  // Called back after going to the tray while the splash was up: this is
  // where it comes on screen for the first time, in the middle.
  const bool firstShow = !shownAfterSplash;
  if (firstShow) {
    firstPaintDone = true;
    shownAfterSplash = true;
  }
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  if (firstShow) CenterOnScreen();
  ShowWindow(hwnd(), SW_SHOW);
  trayIcon.Conceal();
}

void MainDialog::ShowFolderWindow() { folderWindow.Show(SW_SHOW); }

void MainDialog::ShowProgressWindow() { progressWindow.Show(SW_SHOW); }

// A preview counts the disk a run is changing; the run's window comes
// forward instead, as it does for a second clean.
void MainDialog::ShowPreview() {
  if (progressWindow.Running()) {
    progressWindow.Show(SW_SHOW);
    return;
  }
  previewWindow.Open(hwnd(), setup);
}

void MainDialog::OpenPage(const std::string& address) { OpenInBrowser(address); }

void MainDialog::Exit() { OnOK(); }

// Only ever adds: an entry the user changed keeps his changes, and one he
// deleted comes back only when he asks here.
void MainDialog::AddBrowserCaches() {
  DirectoryExpansion expansion(environment_, files_, pump_);
  const int added = AddMissingCacheEntries(setup, expansion);
  messages_.Show(AddedCacheEntriesText(added), kAddCacheEntriesCaption, mb::kOk);
}

// The run pumps messages, so a click can arrive while one is going on: it
// shows the window again (its X may have hidden it) and leaves the run be.
void MainDialog::Clean() {
  PlayClickSound();
  progressWindow.Show(SW_SHOW);
  if (progressWindow.Running()) return;
  // What a preview counted is about to change.
  previewWindow.Close();
  folderWindow.CleaningRunStarted();
  progressWindow.RunCleaning(&setup);
  folderWindow.CleaningRunEnded();
  PlayWaveAsync(IDW_RUN_END);
}

// The menu draws its items while it is tracked, so it lives until then.
void MainDialog::ShowMainMenu(POINT screenPoint) {
  IconMenu menu;
  if (!menu.LoadMenu(IDM_MAIN_MENU)) return;
  IconMenu* popup = menu.GetSubMenu(0);
  if (popup == nullptr) return;
  TrackPopupMenu(popup->handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0,
                 GetAncestor(hwnd(), GA_ROOT), nullptr);
}

bool MainDialog::OnDrawItem(int, DRAWITEMSTRUCT& item) { return IconMenu::RouteDrawItem(item); }

bool MainDialog::OnMeasureItem(int, MEASUREITEMSTRUCT& item) { return IconMenu::RouteMeasureItem(item); }

bool MainDialog::OnClicked(int id) {
  if (menuCommands_.Run(id, *this)) return true;
  switch (id) {
    case IDC_MAIN_TRAY:
      PlayClickSound();
      MinimizeToTray();
      return true;
    case IDC_MAIN_EXIT:
      PlayWaveToEnd(IDW_EXIT);
      SendMessageA(hwnd(), WM_CLOSE, 0, 0);
      return true;
    case IDC_MAIN_HELP:
      PlayClickSound();
      ShowAbout();
      return true;
    case IDC_MAIN_CLEAN:
      Clean();
      return true;
    case IDC_MAIN_MENU: {
      PlayClickSound();
      RECT button;
      GetWindowRect(menuButton.hwnd(), &button);
      ShowMainMenu(POINT{button.left, button.bottom});
      return true;
    }
    case IDC_MAIN_SETTINGS:
      ShowSettings();
      return true;
    default:
      return false;
  }
}

bool MainDialog::PreTranslateMessage(MSG& message) {
  if (toolTip.hwnd() != nullptr) toolTip.RelayEvent(message);
  // Neither key may end the main window.
  return message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
}

std::optional<LRESULT> MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(icon);
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == IDM_SYSTEM_ABOUT) {
        ShowAbout();
        return 0;
      }
      return std::nullopt;
    case WM_MOVE:
      PlaceProgressWindow();
      return std::nullopt;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) {
        trayIcon.Reveal();
        ShowWindow(hwnd(), SW_HIDE);
      }
      return std::nullopt;
    case WM_ENDSESSION:
      // At log-off and shut-down Windows ends the process after this
      // message without destroying the window.
      if (wParam) {
        SaveSettings();
        RemoveExchangeFiles();
      }
      return 0;
    case kTrayMessage:
      return trayIcon.HandleNotification(wParam, lParam);
    case WM_CONTEXTMENU: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (at.x == -1 && at.y == -1) {
        at = POINT{5, 5};
        ClientToScreen(hwnd(), &at);
      }
      ShowMainMenu(at);
      return 0;
    }
    default:
      return Dialog::OnMessage(message, wParam, lParam);
  }
}

// The window still exists here, hidden, so a warning has its owner.
void MainDialog::OnDestroy() {
  SaveSettings();
  trayIcon.Uninstall();
  RemoveExchangeFiles();
}

void MainDialog::RemoveExchangeFiles() {
  if (appFolder.empty()) return;
  std::remove(BesideProgram(appFolder, kUpdateInfoFile).c_str());
  std::remove(BesideProgram(appFolder, kBannerFile).c_str());
}

}  // namespace vantrel
