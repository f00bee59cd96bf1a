#pragma once
// The notification-area port: Shell_NotifyIconA, the icon resources and the
// popup menus of a tray icon. Window and icon handles pass through as
// opaque pointers.

#include <cstddef>

namespace vantrel {

namespace tray {
// Shell_NotifyIconA actions (NIM_) and the fields an action uses (NIF_).
constexpr unsigned kAdd = 0;
constexpr unsigned kModify = 1;
constexpr unsigned kDelete = 2;
constexpr unsigned kMessage = 0x1;
constexpr unsigned kIcon = 0x2;
constexpr unsigned kTip = 0x4;
// The tip field, its terminating zero included.
constexpr std::size_t kTipSize = 64;
// Mouse messages the shell reports in the callback's lParam.
constexpr unsigned kLeftButtonDoubleClick = 0x0203;
constexpr unsigned kRightButtonUp = 0x0205;
}  // namespace tray

// The fields of NOTIFYICONDATAA the program fills.
struct TrayIconData {
  void* window = nullptr;
  unsigned id = 0;
  unsigned flags = 0;
  unsigned callbackMessage = 0;
  void* icon = nullptr;
  char tip[tray::kTipSize] = {};
};

class NotificationArea {
 public:
  virtual ~NotificationArea() = default;

  // The major version of the running Windows (low byte of GetVersion).
  virtual unsigned SystemMajorVersion() = 0;
  // Shell_NotifyIconA(action, data); its result.
  virtual bool Notify(unsigned action, const TrayIconData& data) = 0;
  // LoadIconA of a resource of the program; null when there is none.
  virtual void* LoadIconResource(unsigned id) = 0;
  // Shows popup 0 of menu resource menuId at the cursor with its first item
  // as the default, for owner, and returns when the user has chosen or
  // left it; the choice reaches owner as WM_COMMAND. False, showing
  // nothing, when the menu or its popup cannot be had.
  virtual bool TrackMenu(unsigned menuId, void* owner) = 0;
  // Runs the first item of popup 0 of menu resource menuId: owner gets its
  // WM_COMMAND before this returns. False when the menu cannot be had.
  virtual bool RunFirstItem(unsigned menuId, void* owner) = 0;
};

}  // namespace vantrel
