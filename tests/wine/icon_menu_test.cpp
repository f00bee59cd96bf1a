// The owner-drawn menu on real menus and device contexts: the program's two
// menu resources as loaded, item sizes, and the pixels of each kind of item
// in the flat and the raised look.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/icon_menu.h"
#include "drawing_surface.h"
#include "resource.h"

namespace vantrel {
namespace {

using winetest::DrawingSurface;

struct Expected {
  UINT id;
  const wchar_t* text;  // null for a separator
};

const std::vector<Expected> kMainItems = {
    {32778, L"폴더 정보 보기"},
    {32779, L"진행바 보기"},
    {32781, L"미리 보기"},
    {0, nullptr},
    {1070, L"설정"},
    {32790, L"브라우저 캐시 추가"},
    {0, nullptr},
    {1067, L"프로그램 카운터 가기"},
    {1048, L"제작 홈페이지 가기"},
    {0, nullptr},
    {57670, L"프로그램 정보"},
    {0, nullptr},
    {1, L"종료"},
};

std::wstring ItemText(HMENU menu, UINT position) {
  wchar_t text[128] = {};
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = text;
  info.cch = 127;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return text;
}

MENUITEMINFOW ItemInfo(HMENU menu, UINT position) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return info;
}

class IconMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    IconMenu::flatStyleXp = 1;
    IconMenu::flatStyleOther = 1;
  }
};

TEST_F(IconMenuTest, BothMenusLoadAsOnePlainItemWithAnOwnerDrawnPopup) {
  std::vector<Expected> trayItems = kMainItems;
  trayItems.insert(trayItems.begin(), Expected{32780, L"열기"});
  struct Case {
    UINT id;
    const wchar_t* title;
    const std::vector<Expected>* items;
  } cases[] = {{IDM_MAIN_MENU, L"Menu", &kMainItems}, {IDM_TRAY_MENU, L"Tray Menu", &trayItems}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    HMENU top = nullptr;
    HMENU popup = nullptr;
    {
      IconMenu menu;
      ASSERT_TRUE(menu.LoadMenu(c.id));
      top = menu.handle();
      ASSERT_EQ(GetMenuItemCount(top), 1);
      const MENUITEMINFOW bar = ItemInfo(top, 0);
      EXPECT_EQ(bar.fType & MFT_OWNERDRAW, 0u) << "the top level is plain";
      EXPECT_EQ(ItemText(top, 0), c.title);
      ASSERT_NE(menu.GetSubMenu(0), nullptr);
      popup = menu.GetSubMenu(0)->handle();
      EXPECT_EQ(bar.hSubMenu, popup);
      EXPECT_EQ(menu.GetSubMenu(1), nullptr);

      ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(c.items->size()));
      std::vector<ULONG_PTR> data;
      for (UINT i = 0; i < c.items->size(); ++i) {
        const Expected& expected = (*c.items)[i];
        const MENUITEMINFOW item = ItemInfo(popup, i);
        EXPECT_NE(item.fType & MFT_OWNERDRAW, 0u) << i;
        EXPECT_EQ((item.fType & MFT_SEPARATOR) != 0, expected.text == nullptr) << i;
        EXPECT_EQ(item.wID, expected.id) << i;
        EXPECT_NE(item.dwItemData, 0u) << i;
        data.push_back(item.dwItemData);
      }
      std::sort(data.begin(), data.end());
      EXPECT_EQ(std::unique(data.begin(), data.end()), data.end()) << "one record per item";
    }
    EXPECT_FALSE(IsMenu(top)) << "the menu goes with its object";
    EXPECT_FALSE(IsMenu(popup));
  }
}

TEST_F(IconMenuTest, AMenuThatIsNotThereLoadsNothing) {
  IconMenu menu;
  EXPECT_FALSE(menu.LoadMenu(9999));
  EXPECT_EQ(menu.handle(), nullptr);
  EXPECT_EQ(menu.GetSubMenu(0), nullptr);
  ASSERT_TRUE(menu.LoadMenu(IDM_MAIN_MENU));
  HMENU first = menu.handle();
  ASSERT_TRUE(menu.LoadMenu(IDM_TRAY_MENU)) << "loading again replaces the menu";
  EXPECT_FALSE(IsMenu(first));
}

TEST_F(IconMenuTest, OnWineTheMenuSeesAnotherNtWithoutTheXpTheme) {
  EXPECT_EQ(IconMenu::osClass, os_class::kOtherNt);
  EXPECT_FALSE(IconMenu::XpThemeActive());
  EXPECT_TRUE(IconMenu::FlatLookSelected());
  IconMenu::flatStyleOther = 0;
  EXPECT_FALSE(IconMenu::FlatLookSelected()) << "the switch of the case without the XP theme decides";
}

class ItemDrawing : public IconMenuTest {
 protected:
  void SetUp() override {
    IconMenuTest::SetUp();
    ASSERT_TRUE(menu.LoadMenu(IDM_MAIN_MENU));
    popup = menu.GetSubMenu(0)->handle();
  }

  // Draws the item at position into a fresh surface of the given size.
  std::unique_ptr<DrawingSurface> Draw(UINT position, UINT state, int width, int height) {
    auto surface = std::make_unique<DrawingSurface>(width, height);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemID = ItemInfo(popup, position).wID;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = reinterpret_cast<HWND>(popup);
    draw.hDC = surface->dc();
    draw.rcItem = RECT{0, 0, width, height};
    draw.itemData = ItemInfo(popup, position).dwItemData;
    EXPECT_TRUE(IconMenu::RouteDrawItem(draw));
    return surface;
  }

  MEASUREITEMSTRUCT Measure(UINT position) {
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    measure.itemID = ItemInfo(popup, position).wID;
    measure.itemData = ItemInfo(popup, position).dwItemData;
    EXPECT_TRUE(IconMenu::RouteMeasureItem(measure));
    return measure;
  }

  static COLORREF Sys(int index) { return GetSysColor(index); }

  IconMenu menu;
  HMENU popup = nullptr;
  static constexpr int kWidth = 140;
  static constexpr int kHeight = 22;
  static constexpr COLORREF kColumn = RGB(0xEF, 0xEB, 0xDE);
  const RECT textArea{31, 0, kWidth - 1, kHeight - 1};
};

TEST_F(ItemDrawing, SizesInTheFlatLook) {
  const MEASUREITEMSTRUCT separator = Measure(3);
  EXPECT_EQ(separator.itemHeight, 3u);
  EXPECT_EQ(separator.itemWidth, 0u);

  const MEASUREITEMSTRUCT text = Measure(12);  // "종료"
  HDC screen = GetDC(nullptr);
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  HFONT font = CreateFontIndirectA(&metrics.lfMenuFont);
  HGDIOBJ old = SelectObject(screen, font);
  SIZE extent = {};
  GetTextExtentPoint32W(screen, L"종료", 2, &extent);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(static_cast<int>(text.itemWidth), extent.cx + 16 + 7 + 8);
  EXPECT_EQ(static_cast<int>(text.itemHeight), std::max(22, GetSystemMetrics(SM_CYMENU)));
}

TEST_F(ItemDrawing, AnItemAtRestHasTheColumnAndTheLightBackground) {
  const auto s = Draw(0, 0, kWidth, kHeight);
  const COLORREF background = RGB(GetRValue(Sys(COLOR_WINDOW)) * 49 / 50, GetGValue(Sys(COLOR_WINDOW)) * 49 / 50,
                                  GetBValue(Sys(COLOR_WINDOW)) * 49 / 50);
  EXPECT_EQ(s->At(0, 0), kColumn);
  EXPECT_EQ(s->At(22, 21), kColumn);
  EXPECT_EQ(s->At(23, 5), background);
  EXPECT_EQ(s->At(kWidth - 1, 0), background);
  EXPECT_EQ(s->Count(RECT{0, 0, kWidth, kHeight}, RGB(255, 0, 255)), 0) << "the whole item is painted";
  EXPECT_GT(s->Count(textArea, Sys(COLOR_MENUTEXT)), 10) << "the text";
}

TEST_F(ItemDrawing, TheSelectionBarIsLightAndBordered) {
  const auto s = Draw(0, ODS_SELECTED, kWidth, kHeight);
  const COLORREF highlight = Sys(COLOR_HIGHLIGHT);
  auto lighten = [](int c) { return static_cast<int>(c + 0.85 * (255 - c)); };
  const COLORREF fill = RGB(lighten(GetRValue(highlight)), lighten(GetGValue(highlight)), lighten(GetBValue(highlight)));
  for (POINT border : {POINT{0, 0}, POINT{kWidth - 1, 0}, POINT{0, kHeight - 1}, POINT{kWidth - 1, kHeight - 1},
                       POINT{10, 0}, POINT{0, 10}}) {
    EXPECT_EQ(s->At(border.x, border.y), highlight) << border.x << "," << border.y;
  }
  EXPECT_EQ(s->At(5, 5), fill) << "the column is covered too";
  EXPECT_EQ(s->At(kWidth - 3, 3), fill);
  EXPECT_GT(s->Count(textArea, Sys(COLOR_MENUTEXT)), 10);
}

TEST_F(ItemDrawing, ADisabledItemIsNeverSelectedAndGrey) {
  const auto s = Draw(0, ODS_GRAYED | ODS_SELECTED, kWidth, kHeight);
  const COLORREF grey = Sys(COLOR_GRAYTEXT);
  auto lighten = [](int c) { return static_cast<int>(c + 0.4 * (255 - c)); };
  const COLORREF disabled = RGB(lighten(GetRValue(grey)), lighten(GetGValue(grey)), lighten(GetBValue(grey)));
  EXPECT_EQ(s->At(0, 0), kColumn);
  EXPECT_EQ(s->Count(textArea, Sys(COLOR_HIGHLIGHT)), 0);
  EXPECT_GT(s->Count(textArea, disabled), 10);
  EXPECT_EQ(s->Count(textArea, Sys(COLOR_MENUTEXT)), 0);
}

TEST_F(ItemDrawing, ASeparatorIsAnEtchedLineBesideTheColumn) {
  const auto s = Draw(3, 0, kWidth, 3);
  EXPECT_EQ(s->At(0, 1), kColumn);
  EXPECT_EQ(s->At(22, 2), kColumn);
  EXPECT_EQ(s->At(27, 1), s->At(kWidth - 1, 0)) << "a gap of background between column and line";
  EXPECT_EQ(s->At(30, 1), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(s->At(kWidth - 2, 1), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(s->At(29, 1), s->At(kWidth - 1, 0)) << "the line starts 7 pixels after the column";
}

TEST_F(ItemDrawing, TheRaisedLookHasASolidBarRightOfTheColumn) {
  IconMenu::flatStyleOther = 0;
  const auto s = Draw(0, ODS_SELECTED, kWidth, kHeight);
  EXPECT_EQ(s->At(5, 5), Sys(COLOR_MENU));
  EXPECT_EQ(s->At(20, 5), Sys(COLOR_HIGHLIGHT));
  EXPECT_EQ(s->At(kWidth - 1, kHeight - 1), Sys(COLOR_HIGHLIGHT));
  EXPECT_GT(s->Count(textArea, Sys(COLOR_HIGHLIGHTTEXT)), 10);
  EXPECT_EQ(Measure(3).itemHeight, static_cast<UINT>(std::max(9, GetSystemMetrics(SM_CYMENU) / 2)));
}

TEST_F(ItemDrawing, ItemsOfOtherMenusAreNotTaken) {
  MEASUREITEMSTRUCT measure = {};
  measure.CtlType = ODT_MENU;
  ULONG_PTR foreign = 0x1234;
  measure.itemData = foreign;
  EXPECT_FALSE(IconMenu::RouteMeasureItem(measure));
  DRAWITEMSTRUCT draw = {};
  draw.CtlType = ODT_MENU;
  draw.hwndItem = reinterpret_cast<HWND>(popup);
  draw.itemData = foreign;
  EXPECT_FALSE(IconMenu::RouteDrawItem(draw)) << "an item data this popup does not own";
  draw.itemData = ItemInfo(popup, 0).dwItemData;
  draw.CtlType = ODT_BUTTON;
  EXPECT_FALSE(IconMenu::RouteDrawItem(draw));
}

}  // namespace
}  // namespace vantrel
