// The owner-drawn menu on a system that reports Windows XP with its own
// theme (the fixture makes Wine report XP to this program): the column takes
// the button face and the selection a stronger fill.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "app/icon_menu.h"
#include "drawing_surface.h"
#include "resource.h"

namespace vantrel {
namespace {

using winetest::DrawingSurface;
using winetest::Lightened;

std::unique_ptr<DrawingSurface> DrawFirstItem(const IconMenu& menu, UINT state) {
  HMENU popup = menu.GetSubMenu(0)->handle();
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_DATA;
  GetMenuItemInfoA(popup, 0, TRUE, &info);
  auto surface = std::make_unique<DrawingSurface>(140, 22);
  DRAWITEMSTRUCT draw = {};
  draw.CtlType = ODT_MENU;
  draw.itemID = info.wID;
  draw.itemAction = ODA_DRAWENTIRE;
  draw.itemState = state;
  draw.hwndItem = reinterpret_cast<HWND>(popup);
  draw.hDC = surface->dc();
  draw.rcItem = RECT{0, 0, 140, 22};
  draw.itemData = info.dwItemData;
  EXPECT_TRUE(IconMenu::RouteDrawItem(draw));
  return surface;
}

TEST(IconMenuOnXp, TheXpThemeGivesTheButtonFaceColumnAndAStrongerFill) {
  ASSERT_EQ(IconMenu::osClass, os_class::kWindowsXp) << "the fixture did not make Wine report Windows XP";
  EXPECT_FALSE(IconMenu::ClassicThemeSelected());
  EXPECT_TRUE(IconMenu::XpThemeActive());
  IconMenu::flatStyleXp = 1;
  IconMenu::flatStyleOther = 0;
  EXPECT_TRUE(IconMenu::FlatLookSelected()) << "the XP switch decides now";

  IconMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDM_MAIN_MENU));
  const auto rest = DrawFirstItem(menu, 0);
  EXPECT_EQ(rest->At(0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(rest->At(22, 21), GetSysColor(COLOR_BTNFACE));

  const auto selected = DrawFirstItem(menu, ODS_SELECTED);
  EXPECT_EQ(selected->At(5, 5), Lightened(GetSysColor(COLOR_HIGHLIGHT), 0.7));
  EXPECT_EQ(selected->At(0, 0), GetSysColor(COLOR_HIGHLIGHT));

  const auto disabled = DrawFirstItem(menu, ODS_GRAYED);
  EXPECT_GT(disabled->Count(RECT{31, 0, 139, 21}, GetSysColor(COLOR_GRAYTEXT)), 10) << "plain grey text";
}

}  // namespace
}  // namespace vantrel
