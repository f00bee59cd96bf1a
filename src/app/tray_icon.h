#pragma once
// One icon in the notification area: added, taken away and brought back,
// changed, removed for good, and the mouse on it turned into its menu or
// its menu's first command. The menu resource has the icon's id.

#include <cstdint>
#include <string>

#include "platform/notification_area.h"

namespace vantrel {

class CTrayIcon {
 public:
  explicit CTrayIcon(NotificationArea& area);
  virtual ~CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // Adds the icon (owner and icon may be null; a tip longer than 63 bytes
  // is cut). False, doing nothing, on Windows before 4.0.
  bool Install(void* owner, unsigned callbackMessage, const std::string& tip, void* icon, unsigned id);
  bool ChangeIcon(void* icon);
  bool ChangeIconFromResource(unsigned resourceId);
  // Takes the icon away so that Reveal can bring it back. The shell's
  // answer; true when it was away already, false when not installed.
  bool Conceal();
  // Brings a concealed icon back; the shell's answer, false when nothing was done.
  bool Reveal();
  // Removes the icon for good.
  void Uninstall();

  // The callback message: wParam the icon id, lParam the mouse message.
  // 1 when handled, 0 for another icon or a menu that cannot be had.
  virtual long HandleNotification(std::uintptr_t wParam, std::intptr_t lParam);

  bool IsEnabled() const { return enabled; }
  bool IsHidden() const { return hidden; }

 private:
  NotificationArea& area_;
  bool enabled = false;
  bool hidden = false;
  TrayIconData data;
};

}  // namespace vantrel
