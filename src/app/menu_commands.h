#pragma once
// The commands of the tray icon's menu and the main window's menu, and what
// each of them asks of the main window. The settings item carries the
// settings button's own id, so it reaches the button's handler instead.

#include <string>

namespace vantrel {

class MenuCommandTarget {
 public:
  virtual ~MenuCommandTarget() = default;
  virtual void RestoreFromTray() = 0;
  virtual void ShowFolderWindow() = 0;
  virtual void ShowProgressWindow() = 0;
  virtual void ShowPreview() = 0;
  virtual void OpenPage(const std::string& address) = 0;
  virtual void ShowAbout() = 0;
  // Adds the ready-made cache entries the settings lack, and says how many.
  virtual void AddBrowserCaches() = 0;
  // Ends the main window as IDOK does.
  virtual void Exit() = 0;
};

class MenuCommands {
 public:
  MenuCommands(std::string homePage, std::string counterPage);

  // Carries out command id; false when id is not a menu command.
  bool Run(int id, MenuCommandTarget& target) const;

 private:
  std::string homePage_;
  std::string counterPage_;
};

}  // namespace vantrel
