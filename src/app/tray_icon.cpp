#include "app/tray_icon.h"

#include <algorithm>

namespace vantrel {

CTrayIcon::CTrayIcon(NotificationArea& area) : area_(area) {}

CTrayIcon::~CTrayIcon() { Uninstall(); }

bool CTrayIcon::Install(void* owner, unsigned callbackMessage, const std::string& tip, void* icon, unsigned id) {
  enabled = area_.SystemMajorVersion() >= 4;
  if (!enabled) return false;
  data = TrayIconData{};
  data.window = owner;
  data.id = id;
  data.icon = icon;
  data.callbackMessage = callbackMessage;
  data.flags = tray::kMessage | tray::kIcon | tray::kTip;
  const std::size_t length = std::min(tip.size(), tray::kTipSize - 1);
  std::copy_n(tip.begin(), length, data.tip);
  area_.Notify(tray::kAdd, data);
  return true;
}

bool CTrayIcon::ChangeIcon(void* icon) {
  if (!enabled) return false;
  data.flags = tray::kIcon;
  data.icon = icon;
  return area_.Notify(tray::kModify, data);
}

bool CTrayIcon::ChangeIconFromResource(unsigned resourceId) {
  return ChangeIcon(area_.LoadIconResource(resourceId & 0xFFFF));
}

bool CTrayIcon::Conceal() {
  if (!enabled) return false;
  if (hidden) return true;
  data.flags = tray::kIcon;
  const bool answer = area_.Notify(tray::kDelete, data);
  hidden = true;
  return answer;
}

bool CTrayIcon::Reveal() {
  if (!enabled || !hidden) return false;
  data.flags = tray::kMessage | tray::kIcon | tray::kTip;
  const bool answer = area_.Notify(tray::kAdd, data);
  hidden = false;
  return answer;
}

void CTrayIcon::Uninstall() {
  if (!enabled) return;
  data.flags = 0;
  area_.Notify(tray::kDelete, data);
  enabled = false;
}

long CTrayIcon::HandleNotification(std::uintptr_t wParam, std::intptr_t lParam) {
  if (wParam != data.id) return 0;
  const unsigned mouse = static_cast<unsigned>(lParam) & 0xFFFF;
  if (mouse == tray::kRightButtonUp) return area_.TrackMenu(data.id & 0xFFFF, data.window) ? 1 : 0;
  if (mouse == tray::kLeftButtonDoubleClick) return area_.RunFirstItem(data.id & 0xFFFF, data.window) ? 1 : 0;
  return 1;
}

}  // namespace vantrel
