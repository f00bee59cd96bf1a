#pragma once
// A menu whose popup items draw themselves, in a flat look (a shaded image
// column and a light, bordered selection bar; the look the program uses)
// or a raised look (a solid selection bar). It is loaded from a MENU
// resource; its top level stays a plain menu.
//
// While one of its popups is tracked, the owner window hands the menus'
// WM_MEASUREITEM and WM_DRAWITEM to RouteMeasureItem and RouteDrawItem,
// which find the menu an item belongs to. The object must outlive the
// tracking.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/icon_menu_look.h"
#include "app/menu_template.h"

namespace vantrel {

class IconMenu {
 public:
  // Process-wide settings, set before any menu is drawn.
  static int osClass;             // os_class::, worked out at program start
  static int flatStyleXp;         // 1: the flat look while the XP theme is active
  static int flatStyleOther;      // 1: the flat look otherwise
  static int wideGutter;          // 1: a gap of 7 beside the column in the flat look
  static int alignAccelerators[2];  // both 1: accelerators aligned in the flat look too
  static SIZE imageSize;          // of an item image and the column's content

  IconMenu();
  virtual ~IconMenu();
  IconMenu(const IconMenu&) = delete;
  IconMenu& operator=(const IconMenu&) = delete;

  // Replaces whatever the object holds with menu resource id; every popup
  // item, separator and item below the top level is drawn by the menu.
  BOOL LoadMenu(UINT id);
  // The menu object of the popup at position of this menu, or null.
  IconMenu* GetSubMenu(int position) const;
  HMENU handle() const { return menu_; }

  virtual void MeasureItem(MEASUREITEMSTRUCT& measure);
  virtual void DrawItem(DRAWITEMSTRUCT& draw);

  // For the owner window: false when the item is not one of an IconMenu.
  static bool RouteMeasureItem(MEASUREITEMSTRUCT& measure);
  static bool RouteDrawItem(DRAWITEMSTRUCT& draw);

  // The current user's theme is "Windows Classic" (read once).
  static bool ClassicThemeSelected();
  static bool XpThemeActive();
  // The style switch for the current case selects the flat look.
  static bool FlatLookSelected();

 private:
  // One item drawn by the menu; its address is the item data.
  struct Item {
    std::wstring text;
    UINT flags = 0;
    UINT_PTR command = 0;  // the id, or the popup's handle
    bool IsSeparator() const { return (flags & MF_SEPARATOR) != 0; }
  };

  void Release();
  bool AppendLevel(const MenuTemplateLevel& level);
  bool AppendItem(const MenuTemplateItem& source, HMENU popup);
  void AlignLevel();
  bool MakeTopLevelPlain();
  const Item* ItemOf(ULONG_PTR data) const;
  static MenuLookSettings Look(bool flat);
  void DrawFlat(HDC dc, const RECT& rect, const Item& item, bool selected, bool disabled) const;
  void DrawRaised(HDC dc, const RECT& rect, const Item& item, bool selected, bool disabled) const;

  HMENU menu_ = nullptr;
  bool ownsHandle_ = true;  // a popup's handle goes with its parent menu
  std::vector<std::unique_ptr<Item>> items_;
  std::vector<std::unique_ptr<IconMenu>> popups_;
};

}  // namespace vantrel
