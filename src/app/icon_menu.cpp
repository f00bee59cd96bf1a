#include "app/icon_menu.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "framework/gdi_handles.h"

namespace vantrel {

namespace {

int RunningOsClass() {
  const DWORD version = GetVersion();
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  std::optional<WindowsVersion> versionEx;
  if (GetVersionExA(&info)) versionEx = WindowsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
  return OsClassOf(version, versionEx);
}

// Every popup any IconMenu has made, with the object that draws its items.
std::vector<std::pair<HMENU, IconMenu*>>& Popups() {
  static std::vector<std::pair<HMENU, IconMenu*>> popups;
  return popups;
}

IconMenu* PopupMenuObject(HMENU popup) {
  for (const auto& entry : Popups()) {
    if (entry.first == popup) return entry.second;
  }
  return nullptr;
}

void Forget(HMENU popup) {
  auto& popups = Popups();
  popups.erase(std::remove_if(popups.begin(), popups.end(), [popup](const auto& e) { return e.first == popup; }),
               popups.end());
}

// The menu font of the system, or none when it cannot be had.
Font CreateMenuFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;  // 340: the record every Windows since 95 knows
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return Font();
  return Font(CreateFontIndirectA(&metrics.lfMenuFont));
}

// Text widths in the menu font, measured on the desktop's DC.
class MenuTextMeasure {
 public:
  MenuTextMeasure() : dc_(nullptr), font_(CreateMenuFont()), selected_(dc_.get(), font_.get()) {}

  int Width(const std::wstring& text) const {
    SIZE size = {};
    GetTextExtentPoint32W(dc_.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }

 private:
  ClientDC dc_;
  Font font_;
  SelectedObject selected_;
};

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::u16string Utf16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

std::string Ansi(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string ansi(static_cast<std::size_t>(std::max(size, 0)), '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), ansi.data(), size, nullptr, nullptr);
  }
  return ansi;
}

MenuSystemColours SystemColours() {
  MenuSystemColours colours;
  colours.buttonFace = GetSysColor(COLOR_BTNFACE);
  colours.window = GetSysColor(COLOR_WINDOW);
  colours.highlight = GetSysColor(COLOR_HIGHLIGHT);
  colours.highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  colours.menu = GetSysColor(COLOR_MENU);
  colours.menuText = GetSysColor(COLOR_MENUTEXT);
  colours.grayText = GetSysColor(COLOR_GRAYTEXT);
  colours.buttonHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  return colours;
}

RECT ToRect(const MenuRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
MenuRect ToMenuRect(const RECT& r) { return MenuRect{r.left, r.top, r.right, r.bottom}; }

void Fill(HDC dc, const MenuRect& rect, Colour colour) {
  const RECT r = ToRect(rect);
  Brush brush = SolidBrush(colour);
  FillRect(dc, &r, brush.get());
}

void Frame(HDC dc, const MenuRect& rect, Colour colour) {
  const RECT r = ToRect(rect);
  Brush brush = SolidBrush(colour);
  FrameRect(dc, &r, brush.get());
}

void EtchedLine(HDC dc, const MenuRect& along) {
  RECT r = ToRect(along);
  DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
}

void DrawParts(HDC dc, const MenuText& text, const MenuRect& where, Colour colour) {
  RECT r = ToRect(where);
  SetTextColor(dc, colour);
  const std::wstring label = Wide(text.label);
  DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &r, DT_SINGLELINE | DT_VCENTER);
  if (text.hasTab) {
    const std::wstring accelerator = Wide(text.accelerator);
    DrawTextW(dc, accelerator.c_str(), static_cast<int>(accelerator.size()), &r,
              DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
  }
}

MenuRect Shifted(MenuRect r, int dx, int dy) { return MenuRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

}  // namespace

int IconMenu::osClass = RunningOsClass();
int IconMenu::flatStyleXp = 1;
int IconMenu::flatStyleOther = 0;
int IconMenu::wideGutter = 1;
int IconMenu::alignAccelerators[2] = {1, 1};
SIZE IconMenu::imageSize = {16, 15};

IconMenu::IconMenu() = default;

IconMenu::~IconMenu() { Release(); }

void IconMenu::Release() {
  for (const auto& popup : popups_) Forget(popup->menu_);
  popups_.clear();
  items_.clear();
  if (menu_ != nullptr && ownsHandle_) DestroyMenu(menu_);
  menu_ = nullptr;
}

bool IconMenu::ClassicThemeSelected() {
  static const bool classic = [] {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
      return false;
    }
    char value[260] = {};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    const LONG answer = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (answer != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    return IsClassicThemeFile(std::string(value, strnlen(value, size)));
  }();
  return classic;
}

bool IconMenu::XpThemeActive() { return osClass == os_class::kWindowsXp && !ClassicThemeSelected(); }

bool IconMenu::FlatLookSelected() { return (XpThemeActive() ? flatStyleXp : flatStyleOther) == 1; }

MenuLookSettings IconMenu::Look(bool flat) {
  MenuLookSettings look;
  look.flat = flat;
  look.wideGutter = wideGutter != 0;
  look.imageWidth = imageSize.cx;
  look.imageHeight = imageSize.cy;
  return look;
}

BOOL IconMenu::LoadMenu(UINT id) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id & 0xFFFF), RT_MENU);
  if (found == nullptr) return FALSE;
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return FALSE;
  const std::optional<MenuTemplateLevel> top = ParseMenuTemplate(bytes, SizeofResource(module, found));
  if (!top) return FALSE;

  Release();
  menu_ = CreateMenu();
  ownsHandle_ = true;
  if (menu_ == nullptr) return FALSE;
  if (!AppendLevel(*top) || !MakeTopLevelPlain()) {
    Release();
    return FALSE;
  }
  return TRUE;
}

bool IconMenu::AppendLevel(const MenuTemplateLevel& level) {
  for (const MenuTemplateItem& source : level) {
    if (!source.IsPopup()) {
      if (!AppendItem(source, nullptr)) return false;
      continue;
    }
    auto popup = std::make_unique<IconMenu>();
    popup->menu_ = CreatePopupMenu();
    popup->ownsHandle_ = false;
    if (popup->menu_ == nullptr) return false;
    IconMenu& child = *popup;
    popups_.push_back(std::move(popup));
    Popups().emplace_back(child.menu_, &child);
    // Until it is attached, the popup's handle is this object's to destroy.
    if (!AppendItem(source, child.menu_)) {
      DestroyMenu(child.menu_);
      return false;
    }
    if (!child.AppendLevel(source.items)) return false;
  }
  AlignLevel();
  return true;
}

bool IconMenu::AppendItem(const MenuTemplateItem& source, HMENU popup) {
  auto item = std::make_unique<Item>();
  item->text = Wide(source.text);
  if (popup != nullptr) {
    item->flags = source.flags | MF_OWNERDRAW;
    item->command = reinterpret_cast<UINT_PTR>(popup);
  } else if (source.IsSeparator()) {
    item->flags = MF_SEPARATOR | MF_OWNERDRAW | (source.flags & menu_flags::kByPosition);
  } else {
    item->flags = source.flags | MF_OWNERDRAW;
    item->command = source.id;
  }
  if (!AppendMenuA(menu_, item->flags, item->command, reinterpret_cast<LPCSTR>(item.get()))) return false;
  items_.push_back(std::move(item));
  return true;
}

void IconMenu::AlignLevel() {
  if (FlatLookSelected() && !(alignAccelerators[0] && alignAccelerators[1])) return;
  std::vector<std::u16string> texts;
  for (const auto& item : items_) texts.push_back(Utf16(item->text));
  const MenuTextMeasure measure;
  AlignAccelerators(texts, [&measure](const std::u16string& text) { return measure.Width(Wide(text)); });
  for (std::size_t i = 0; i < items_.size(); ++i) items_[i]->text = Wide(texts[i]);
}

// The menu bar level is never shown as such; its items are plain strings again.
bool IconMenu::MakeTopLevelPlain() {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const Item& item = *items_[i];
    UINT flags = MF_BYPOSITION | MF_STRING;
    if ((item.flags & MF_POPUP) != 0) flags |= MF_POPUP;
    const std::string text = Ansi(item.text);
    if (!ModifyMenuA(menu_, static_cast<UINT>(i), flags, item.command, text.c_str())) return false;
  }
  return true;
}

IconMenu* IconMenu::GetSubMenu(int position) const {
  if (menu_ == nullptr) return nullptr;
  HMENU popup = ::GetSubMenu(menu_, position);
  for (const auto& child : popups_) {
    if (child->menu_ == popup && popup != nullptr) return child.get();
  }
  return nullptr;
}

const IconMenu::Item* IconMenu::ItemOf(ULONG_PTR data) const {
  for (const auto& item : items_) {
    if (reinterpret_cast<ULONG_PTR>(item.get()) == data) return item.get();
  }
  return nullptr;
}

bool IconMenu::RouteMeasureItem(MEASUREITEMSTRUCT& measure) {
  if (measure.CtlType != ODT_MENU) return false;
  for (const auto& entry : Popups()) {
    if (entry.second->ItemOf(measure.itemData) != nullptr) {
      entry.second->MeasureItem(measure);
      return true;
    }
  }
  return false;
}

bool IconMenu::RouteDrawItem(DRAWITEMSTRUCT& draw) {
  if (draw.CtlType != ODT_MENU) return false;
  IconMenu* menu = PopupMenuObject(reinterpret_cast<HMENU>(draw.hwndItem));
  if (menu == nullptr || menu->ItemOf(draw.itemData) == nullptr) return false;
  menu->DrawItem(draw);
  return true;
}

void IconMenu::MeasureItem(MEASUREITEMSTRUCT& measure) {
  const Item* item = ItemOf(measure.itemData);
  if (item == nullptr) return;
  const MenuLookSettings look = Look(FlatLookSelected());
  const int menuHeight = GetSystemMetrics(SM_CYMENU);
  MenuItemSize size;
  if (item->IsSeparator()) {
    size = MeasureSeparator(look, menuHeight);
  } else {
    // Measured in the font the system draws menus with. (Measuring in
    // whatever font the DC holds, as some systems would have it, gives
    // items too narrow or too wide for their text.)
    const MenuTextMeasure text;
    size = MeasureTextItem(look, text.Width(item->text), menuHeight);
  }
  measure.itemWidth = static_cast<UINT>(size.width);
  measure.itemHeight = static_cast<UINT>(size.height);
}

void IconMenu::DrawItem(DRAWITEMSTRUCT& draw) {
  const Item* item = ItemOf(draw.itemData);
  if (item == nullptr) return;
  const bool palette = (GetDeviceCaps(draw.hDC, RASTERCAPS) & RC_PALETTE) != 0;
  const bool disabled = (draw.itemState & ODS_GRAYED) != 0;
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  const int savedState = SaveDC(draw.hDC);
  if (!DrawsFlatLook(FlatLookSelected(), palette)) {
    DrawRaised(draw.hDC, draw.rcItem, *item, selected, disabled);
  } else if (!disabled) {
    DrawFlat(draw.hDC, draw.rcItem, *item, selected, false);
  } else {
    // A disabled item is drawn off-screen and copied in one piece.
    const int width = draw.rcItem.right - draw.rcItem.left;
    const int height = draw.rcItem.bottom - draw.rcItem.top;
    MemoryDC memory(draw.hDC);
    Bitmap picture(CreateCompatibleBitmap(draw.hDC, width, height));
    if (memory.get() != nullptr && picture) {
      SelectedObject keepPicture(memory.get(), picture.get());
      SelectedObject keepFont(memory.get(), GetCurrentObject(draw.hDC, OBJ_FONT));
      DrawFlat(memory.get(), RECT{0, 0, width, height}, *item, false, true);
      BitBlt(draw.hDC, draw.rcItem.left, draw.rcItem.top, width, height, memory.get(), 0, 0, SRCCOPY);
    } else {
      DrawFlat(draw.hDC, draw.rcItem, *item, false, true);
    }
  }
  RestoreDC(draw.hDC, savedState);
}

void IconMenu::DrawFlat(HDC dc, const RECT& rect, const Item& item, bool selected, bool disabled) const {
  const bool xp = XpThemeActive();
  const FlatMenuColours colours = FlatColoursFor(SystemColours(), xp);
  const MenuText text = SplitMenuText(Utf16(item.text));
  const MenuLookSettings look = Look(true);
  const MenuRect whole = ToMenuRect(rect);
  const MenuItemLayout layout = LayOutMenuItem(look, whole, text.hasTab);

  if (item.IsSeparator()) {
    Fill(dc, whole, colours.background);
    Fill(dc, layout.column, colours.column);
    Frame(dc, layout.column, colours.column);
    EtchedLine(dc, layout.separator);
    return;
  }
  if (selected) {
    Fill(dc, layout.highlight, colours.selectionFill);
    Frame(dc, layout.highlight, colours.selectionBorder);
  } else {
    Fill(dc, whole, colours.background);
    Frame(dc, whole, colours.background);
    Fill(dc, layout.column, colours.column);
    Frame(dc, layout.column, colours.column);
  }
  SetBkMode(dc, TRANSPARENT);
  DrawParts(dc, text, layout.text, disabled ? colours.disabledText : colours.text);
}

void IconMenu::DrawRaised(HDC dc, const RECT& rect, const Item& item, bool selected, bool disabled) const {
  const MenuSystemColours system = SystemColours();
  const Colour background = RaisedBackgroundFor(system, XpThemeActive());
  const MenuText text = SplitMenuText(Utf16(item.text));
  const MenuRect whole = ToMenuRect(rect);
  const MenuItemLayout layout = LayOutMenuItem(Look(false), whole, text.hasTab);

  Fill(dc, whole, background);
  if (item.IsSeparator()) {
    EtchedLine(dc, layout.separator);
    return;
  }
  if (selected) Fill(dc, layout.highlight, system.highlight);
  SetBkMode(dc, TRANSPARENT);
  if (disabled && selected) {
    DrawParts(dc, text, layout.text, background);
  } else if (disabled) {
    DrawParts(dc, text, Shifted(layout.text, 1, 1), system.buttonHighlight);
    DrawParts(dc, text, layout.text, system.grayText);
  } else {
    DrawParts(dc, text, layout.text, selected ? system.highlightText : system.menuText);
  }
}

}  // namespace vantrel
