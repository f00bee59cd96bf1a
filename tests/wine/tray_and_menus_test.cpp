// The real Qorv.exe in the notification area and its two menus, driven from
// this program: the icon follows the window, both menus carry their
// commands, the main window's menu is drawn in the flat look, and the links
// reach a browser.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "app/menu_template.h"
#include "build_config.h"
#include "drawing_surface.h"
#include "loopback_http_server.h"
#include "menu_driving.h"
#include "resource.h"
#include "stored_settings.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kTitle[] = "Vantrel V.ZEL";
constexpr UINT kTrayMessage = WM_USER + 10;
constexpr POINT kCursor = {200, 300};

// Wine's browser stays open until it is closed.
void CloseBrowsers() {
  HWND browser = nullptr;
  while ((browser = FindWindowExA(nullptr, browser, "IEFrame", nullptr)) != nullptr) {
    if (OfThisTest(browser)) PostMessageA(browser, WM_CLOSE, 0, 0);
  }
}

class TrayAndMenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeFolder(ScratchFolder() + "run_" + std::to_string(++runs));
    program = folder + "Qorv.exe";
    ASSERT_TRUE(CopyFileA(BuiltProgram("Qorv.exe").c_str(), program.c_str(), FALSE));
    const auto main = ProgramMenuTemplate(program, IDM_MAIN_MENU);
    const auto tray = ProgramMenuTemplate(program, IDM_TRAY_MENU);
    ASSERT_TRUE(main && main->size() == 1 && tray && tray->size() == 1) << "the menus of Qorv.exe";
    mainMenu = main->front().items;
    trayMenu = tray->front().items;
    // Where the tray menu opens, and away from every other menu and window.
    SetCursorPos(kCursor.x, kCursor.y);
  }

  void TearDown() override {
    CloseBrowsers();
    if (qorv && window != nullptr && IsWindow(window)) PostMessageA(window, WM_CLOSE, 0, 0);
    if (qorv) qorv->WaitForExit(20000);
  }

  // Starts the program; returns once its window exists.
  void Start() {
    qorv = std::make_unique<RunningProgram>(program, "", folder);
    ASSERT_TRUE(qorv->Started());
    ASSERT_TRUE(WaitUntil([&] { return (window = FindTestWindow(nullptr, kTitle)) != nullptr; }, 20000));
  }

  // Shown for good means centred: while the first paint parks the window
  // off-screen, the system briefly puts the minimised window on screen too.
  bool Shown() const {
    const RECT r = WindowRectOf(window);
    return IsWindowVisible(window) && !IsIconic(window) &&
           r.left == (GetSystemMetrics(SM_CXMAXTRACK) - (r.right - r.left)) / 2 &&
           r.top == (GetSystemMetrics(SM_CYMAXTRACK) - (r.bottom - r.top)) / 2;
  }

  // Shown and out of the notification area: the start is over (the window
  // is centred a moment before the icon goes).
  void StartAndShow() {
    Start();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(WaitUntil([&] { return StartIsOver(window); }, 20000))
        << "the main window never came on screen, or its icon stayed";
  }

  void ToTheTray() {
    PostMessageA(GetDlgItem(window, IDC_MAIN_TRAY), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, 10000)) << "\"_\" did not hide the window";
  }

  void Notify(UINT mouseMessage) { PostMessageA(window, kTrayMessage, kTrayIconId, mouseMessage); }

  void ChooseFromTrayMenu(UINT command) {
    Notify(WM_RBUTTONUP);
    ASSERT_TRUE(ChooseFromPopupMenu(trayMenu, command)) << "the tray menu did not open";
  }

  void ChooseFromMainMenu(UINT command) {
    PostMessageA(GetDlgItem(window, IDC_MAIN_MENU), BM_CLICK, 0, 0);
    ASSERT_TRUE(ChooseFromPopupMenu(mainMenu, command)) << "the main window's menu did not open";
  }

  void SaveMenuPicture(HWND popup, const std::string& file) {
    ScreenArea picture(WindowRectOf(popup));
    EXPECT_TRUE(picture.SaveBmp(ScratchFolder() + file));
  }

  static inline int runs = 0;
  std::string folder;
  std::string program;
  MenuTemplateLevel mainMenu;
  MenuTemplateLevel trayMenu;
  std::unique_ptr<RunningProgram> qorv;
  HWND window = nullptr;
};

// "_" pressed while the splash is still up: the window stays in the tray
// when its time to come has passed, and comes in the middle when called back.
TEST_F(TrayAndMenusTest, SentToTheTrayDuringTheSplashItStaysThereUntilCalledBack) {
  Start();
  ASSERT_FALSE(HasFatalFailure());
  const DWORD found = GetTickCount();
  // Parked off-screen behind the splash by its first paint, which passes
  // through the tray on its way: parked at two looks in a row.
  auto parked = [&] {
    const RECT r = WindowRectOf(window);
    return IsWindowVisible(window) && !IsIconic(window) && r.right < 0 && r.bottom < 0;
  };
  bool parkedBefore = false;
  ASSERT_TRUE(WaitUntil(
      [&] {
        const bool parkedNow = parked();
        const bool settled = parkedNow && parkedBefore;
        parkedBefore = parkedNow;
        return settled || StartIsOver(window);
      },
      20000))
      << "the window never showed";
  ToTheTray();
  ASSERT_FALSE(HasFatalFailure());
  // On a busy machine two looks can both fall between the first paint's move
  // and the rest of its steps, which show the window once more before the
  // click is taken. What counts is where the window is once its time to come
  // (2.9 s after it is made, which is before it is found) has passed.
  const DWORD due = 5000;
  const DWORD waited = GetTickCount() - found;
  if (waited < due) Sleep(due - waited);
  EXPECT_FALSE(WaitUntil([&] { return IsWindowVisible(window); }, 1000))
      << "the window came out of the tray by itself";
  EXPECT_TRUE(IsIconic(window));
  EXPECT_TRUE(TrayHasIcon(window, kTrayIconId));
  Notify(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitUntil([&] { return Shown(); }, 10000)) << "a double click did not bring the window, centred";
  EXPECT_TRUE(WaitUntil([&] { return !TrayHasIcon(window, kTrayIconId); }, 5000));
}

TEST_F(TrayAndMenusTest, TheIconFollowsTheWindowAndAlwaysBringsItBack) {
  Start();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_TRUE(WaitUntil([&] { return TrayHasIcon(window, kTrayIconId); }, 5000))
      << "in the notification area while it starts";
  EXPECT_FALSE(Shown());
  ASSERT_TRUE(WaitUntil([&] { return Shown(); }, 20000));
  EXPECT_TRUE(WaitUntil([&] { return !TrayHasIcon(window, kTrayIconId); }, 5000))
      << "the icon stays with the window shown";

  // "_": hidden, icon back. A single click on it does nothing.
  ToTheTray();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_TRUE(TrayHasIcon(window, kTrayIconId));
  Notify(WM_LBUTTONUP);
  Sleep(500);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(ShownPopupMenu(), nullptr);

  // Right click: the tray menu at the cursor; "열기" restores.
  Notify(WM_RBUTTONUP);
  HWND popup = WaitForPopupMenu(10000);
  ASSERT_NE(popup, nullptr) << "the tray menu did not open";
  const RECT menuRect = WindowRectOf(popup);
  EXPECT_EQ(menuRect.left, kCursor.x);
  EXPECT_EQ(menuRect.top, kCursor.y);
  PostKey(popup, VK_DOWN);
  Sleep(300);
  SaveMenuPicture(popup, "tray_menu.bmp");
  PostKey(popup, VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return Shown(); }, 10000)) << "\"열기\" did not restore the window";
  EXPECT_TRUE(WaitUntil([&] { return !TrayHasIcon(window, kTrayIconId); }, 5000));

  // Double click: "열기" at once.
  ToTheTray();
  ASSERT_FALSE(HasFatalFailure());
  Notify(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitUntil([&] { return Shown(); }, 10000)) << "a double click did not restore the window";
  EXPECT_TRUE(WaitUntil([&] { return !TrayHasIcon(window, kTrayIconId); }, 5000));

  // A message for another icon is not this icon's.
  ToTheTray();
  ASSERT_FALSE(HasFatalFailure());
  PostMessageA(window, kTrayMessage, kTrayIconId + 1, WM_LBUTTONDBLCLK);
  Sleep(500);
  EXPECT_FALSE(IsWindowVisible(window));
  ChooseFromTrayMenu(IDM_OPEN);
  EXPECT_TRUE(WaitUntil([&] { return Shown(); }, 10000));
}

TEST_F(TrayAndMenusTest, ExitFromEitherMenuSavesAndRemovesTheIcon) {
  for (bool fromTheTray : {true, false}) {
    SCOPED_TRACE(fromTheTray ? "the tray menu" : "the main window's menu");
    DeleteFileA((folder + "SetupData.Sav").c_str());
    StartAndShow();
    ASSERT_FALSE(HasFatalFailure());
    if (fromTheTray) {
      ToTheTray();
      ASSERT_FALSE(HasFatalFailure());
      ChooseFromTrayMenu(IDM_EXIT);
    } else {
      ChooseFromMainMenu(IDM_EXIT);
    }
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(qorv->WaitForExit(20000)) << "\"종료\" did not end the program";
    EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), FirstStartSettingsBytes());
    EXPECT_FALSE(TrayHasIcon(window, kTrayIconId));
    qorv.reset();
  }
}

TEST_F(TrayAndMenusTest, TheTrayMenuShowsTheSideWindowsAndTheAboutWindow) {
  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  ToTheTray();
  ASSERT_FALSE(HasFatalFailure());
  ChooseFromTrayMenu(IDM_SHOW_FOLDER_INFO);
  EXPECT_TRUE(WaitUntil([&] { return VisibleOwnedWindowWith(window, IDC_FOLDER_INFO_TEXT) != nullptr; }, 10000));
  ChooseFromTrayMenu(IDM_SHOW_PROGRESS);
  EXPECT_TRUE(WaitUntil([&] { return VisibleOwnedWindowWith(window, IDC_PROGRESS_CATEGORY_BAR) != nullptr; }, 10000));
  ChooseFromTrayMenu(IDM_ABOUT);
  HWND about = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (about = VisibleOwnedWindowWith(window, IDC_ABOUT_HELP)) != nullptr; }, 10000));
  EXPECT_FALSE(IsWindowVisible(window)) << "the commands leave the main window in the tray";
  EXPECT_TRUE(TrayHasIcon(window, kTrayIconId));
  if (about != nullptr) PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(TrayAndMenusTest, TheMainMenuIsDrawnFlatUnderTheButton) {
  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  // A click comes to the foreground window: a button clicked from another
  // program makes Qorv.exe the foreground program only afterwards, and
  // Wine then stacks the main window over the menu it has just opened.
  SetForegroundWindow(window);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 5000));
  HWND button = GetDlgItem(window, IDC_MAIN_MENU);
  PostMessageA(button, BM_CLICK, 0, 0);
  HWND popup = WaitForPopupMenu(10000);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(WindowRectOf(popup).left, WindowRectOf(button).left);
  EXPECT_EQ(WindowRectOf(popup).top, WindowRectOf(button).bottom);
  PostKey(popup, VK_DOWN);
  Sleep(300);
  const ScreenArea picture(WindowRectOf(popup));
  EXPECT_TRUE(picture.SaveBmp(ScratchFolder() + "main_menu.bmp"));
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF fill = Lightened(highlight, 0.85);
  EXPECT_GT(picture.Count(RGB(0xEF, 0xEB, 0xDE)), 23 * 3 * 6) << "the shaded column beside the items at rest";
  EXPECT_GT(picture.Count(fill), 40 * 15) << "the light selection bar";
  EXPECT_GT(picture.Count(highlight), 2 * 40) << "its border";
  // The bar is the first item: the border's top edge lies above the fill.
  int firstFillRow = -1;
  for (int y = 0; y < picture.Height() && firstFillRow < 0; ++y) {
    if (picture.At(picture.Width() / 2, y) == fill) firstFillRow = y;
  }
  ASSERT_GT(firstFillRow, 0);
  EXPECT_EQ(picture.At(picture.Width() / 2, firstFillRow - 1), highlight);
  EXPECT_LT(firstFillRow, 8) << "the first item is the selected one";
  PostKey(popup, VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([] { return ShownPopupMenu() == nullptr; }, 5000));
  EXPECT_TRUE(Shown());
}

TEST_F(TrayAndMenusTest, TheContextMenuOpensAtTheMouseOrAtTheKeyboardPoint) {
  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  POINT corner{5, 5};
  ClientToScreen(window, &corner);
  struct Case {
    const char* name;
    LPARAM point;
    POINT expected;
  } cases[] = {
      {"the context-menu key: the client area's corner plus (5, 5)", MAKELPARAM(-1, -1), corner},
      {"the right mouse button: at the mouse", MAKELPARAM(100, 80), POINT{100, 80}},
  };
  for (const Case& c : cases) {
    PostMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), c.point);
    HWND popup = WaitForPopupMenu(10000);
    ASSERT_NE(popup, nullptr) << c.name;
    EXPECT_EQ(WindowRectOf(popup).left, c.expected.x) << c.name;
    EXPECT_EQ(WindowRectOf(popup).top, c.expected.y) << c.name;
    PostKey(popup, VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([] { return ShownPopupMenu() == nullptr; }, 5000)) << c.name;
  }
  EXPECT_TRUE(Shown());
}

TEST_F(TrayAndMenusTest, LinksOpenTheirPagesInTheBrowser) {
  LoopbackHttpServer server(80);
  ASSERT_TRUE(server.Listening()) << "the test's web server: " << server.Error();
  const std::string home = "GET /home.html HTTP/1.1";
  const std::string counter = "GET /counter.html HTTP/1.1";
  // The program's own update check after start-up reaches this server too.
  const std::string hitCounter = "GET /count.html?id=417 HTTP/1.1";
  const std::string versionFile = "GET /%7ekvq0417/qorv/QORV.RQ HTTP/1.1";
  ASSERT_EQ(std::string(build::kHomePage), "http://127.0.0.1/home.html") << "the test build's pages";
  ASSERT_EQ(std::string(build::kCounterPage), "http://127.0.0.1/counter.html");

  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  ChooseFromMainMenu(IDM_HOME_PAGE);
  EXPECT_TRUE(server.WaitForRequests(home, 1, 20000)) << "the home page from the main window's menu";
  EXPECT_TRUE(Shown());

  // From the tray, the window stays hidden.
  ToTheTray();
  ASSERT_FALSE(HasFatalFailure());
  ChooseFromTrayMenu(IDM_COUNTER_PAGE);
  EXPECT_TRUE(server.WaitForRequests(counter, 1, 20000)) << "the counter page from the tray menu";
  EXPECT_FALSE(IsWindowVisible(window));
  ChooseFromTrayMenu(IDM_OPEN);
  ASSERT_TRUE(WaitUntil([&] { return Shown(); }, 10000));

  // The About window's buttons; it stays open.
  PostMessageA(GetDlgItem(window, IDC_MAIN_HELP), BM_CLICK, 0, 0);
  HWND about = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (about = VisibleOwnedWindowWith(window, IDC_ABOUT_HELP)) != nullptr; }, 10000));
  PostMessageA(GetDlgItem(about, IDC_ABOUT_HOME_PAGE), BM_CLICK, 0, 0);
  EXPECT_TRUE(server.WaitForRequests(home, 2, 20000)) << "the About window's home page button";
  PostMessageA(GetDlgItem(about, IDC_ABOUT_COUNTER_PAGE), BM_CLICK, 0, 0);
  EXPECT_TRUE(server.WaitForRequests(counter, 2, 20000)) << "the About window's counter button";
  EXPECT_TRUE(IsWindow(about) && IsWindowVisible(about));
  PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
  for (const std::string& line : server.RequestLines()) {
    EXPECT_TRUE(line == home || line == counter || line == hitCounter || line == versionFile ||
                line.rfind("GET /favicon.ico", 0) == 0)
        << line;
  }
}

}  // namespace
}  // namespace vantrel
