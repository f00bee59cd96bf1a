#pragma once
#include <windows.h>

#include "platform/notification_area.h"

namespace vantrel {

// The notification-area port over shell32 and the program's own menu and
// icon resources.
class Win32NotificationArea : public NotificationArea {
 public:
  unsigned SystemMajorVersion() override;
  bool Notify(unsigned action, const TrayIconData& data) override;
  void* LoadIconResource(unsigned id) override;
  bool TrackMenu(unsigned menuId, void* owner) override;
  bool RunFirstItem(unsigned menuId, void* owner) override;
};

}  // namespace vantrel
