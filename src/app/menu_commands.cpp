#include "app/menu_commands.h"

#include <utility>

#include "resource.h"

namespace vantrel {

MenuCommands::MenuCommands(std::string homePage, std::string counterPage)
    : homePage_(std::move(homePage)), counterPage_(std::move(counterPage)) {}

// The links play no click: only the About window's link buttons do.
bool MenuCommands::Run(int id, MenuCommandTarget& target) const {
  switch (id) {
    case IDM_OPEN:
      target.RestoreFromTray();
      return true;
    case IDM_SHOW_FOLDER_INFO:
      target.ShowFolderWindow();
      return true;
    case IDM_SHOW_PROGRESS:
      target.ShowProgressWindow();
      return true;
    case IDM_PREVIEW:
      target.ShowPreview();
      return true;
    case IDM_COUNTER_PAGE:
      target.OpenPage(counterPage_);
      return true;
    case IDM_HOME_PAGE:
      target.OpenPage(homePage_);
      return true;
    case IDM_ABOUT:
      target.ShowAbout();
      return true;
    case IDM_ADD_BROWSER_CACHES:
      target.AddBrowserCaches();
      return true;
    case IDM_EXIT:
      target.Exit();
      return true;
    default:
      return false;
  }
}

}  // namespace vantrel
