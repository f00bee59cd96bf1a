// The tray icon over the real shell: the icon comes and goes in Wine's
// notification area, the tray menu is shown for its owner with its first
// item as the default, and a double click's command arrives at once.
#include <gtest/gtest.h>
#include <windows.h>

#include <thread>
#include <vector>

#include "app/tray_icon.h"
#include "menu_driving.h"
#include "platform/win32/notification_area_win32.h"
#include "resource.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr UINT kCallback = WM_USER + 10;

// A hidden top-level window that keeps what reaches it.
class OwnerWindow {
 public:
  OwnerWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VantrelTrayOwner";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "VantrelTrayOwner", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~OwnerWindow() { DestroyWindow(window_); }
  HWND get() const { return window_; }

  std::vector<std::pair<UINT, WPARAM>> sent;  // commands handled by the window

  // The messages waiting in the queue for the window, taken out.
  std::vector<std::pair<UINT, WPARAM>> Queued() {
    std::vector<std::pair<UINT, WPARAM>> queued;
    MSG message;
    while (PeekMessageA(&message, window_, 0, 0, PM_REMOVE)) {
      if (message.message == WM_COMMAND || message.message == WM_USER) {
        queued.emplace_back(message.message, message.wParam);
      }
    }
    return queued;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<OwnerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_COMMAND) self->sent.emplace_back(message, wParam);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  HWND window_;
};

TEST(NotificationArea, TheIconComesAndGoesInTheShell) {
  OwnerWindow owner;
  Win32NotificationArea area;
  CTrayIcon icon(area);
  EXPECT_GE(area.SystemMajorVersion(), 4u);
  ASSERT_TRUE(icon.Install(owner.get(), kCallback, "Vantrel V.ZEL 1.2", nullptr, IDM_TRAY_MENU));
  EXPECT_TRUE(TrayHasIcon(owner.get(), IDM_TRAY_MENU));
  EXPECT_TRUE(icon.ChangeIconFromResource(IDI_MAIN));
  EXPECT_TRUE(icon.Conceal());
  EXPECT_FALSE(TrayHasIcon(owner.get(), IDM_TRAY_MENU));
  EXPECT_TRUE(icon.Reveal());
  EXPECT_TRUE(TrayHasIcon(owner.get(), IDM_TRAY_MENU));
  icon.Uninstall();
  EXPECT_FALSE(TrayHasIcon(owner.get(), IDM_TRAY_MENU));
}

TEST(NotificationArea, TheMenuIsShownWithItsDefaultAndFollowedByAMessage) {
  OwnerWindow owner;
  Win32NotificationArea area;
  UINT defaultItem = 12345;
  std::thread user([&] {
    HWND popup = WaitForPopupMenu(10000);
    if (popup == nullptr) return;
    auto menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    defaultItem = GetMenuDefaultItem(menu, TRUE, 0);
    PostKey(popup, VK_HOME);
    PostKey(popup, VK_DOWN);
    PostKey(popup, VK_RETURN);
  });
  EXPECT_TRUE(area.TrackMenu(IDM_TRAY_MENU, owner.get()));
  user.join();
  EXPECT_EQ(defaultItem, 0u) << "\"열기\" is the default item";
  using Messages = std::vector<std::pair<UINT, WPARAM>>;
  EXPECT_EQ(owner.Queued(), (Messages{{WM_COMMAND, IDM_SHOW_FOLDER_INFO}, {WM_USER, 0}}));
}

TEST(NotificationArea, TheFirstItemRunsBeforeTheDoubleClickIsDone) {
  OwnerWindow owner;
  Win32NotificationArea area;
  EXPECT_TRUE(area.RunFirstItem(IDM_TRAY_MENU, owner.get()));
  using Messages = std::vector<std::pair<UINT, WPARAM>>;
  EXPECT_EQ(owner.sent, (Messages{{WM_COMMAND, IDM_OPEN}}));
}

TEST(NotificationArea, AMenuThatIsNotThereShowsNothing) {
  OwnerWindow owner;
  Win32NotificationArea area;
  EXPECT_FALSE(area.TrackMenu(9999, owner.get()));
  EXPECT_FALSE(area.RunFirstItem(9999, owner.get()));
  EXPECT_TRUE(owner.sent.empty());
  EXPECT_TRUE(owner.Queued().empty());
}

}  // namespace
}  // namespace vantrel
