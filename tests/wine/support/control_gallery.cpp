#include "control_gallery.h"

#include "controls/paint_panel.h"
#include "framework/gdi_handles.h"
#include "resource.h"

namespace vantrel::winetest {

ControlGallery::ControlGallery() : Dialog(IDD_CONTROL_GALLERY) {}

void ControlGallery::BindControls() {
  Bind(hoverNormal, IDC_GALLERY_HOVER_NORMAL);
  Bind(hoverHovered, IDC_GALLERY_HOVER_HOVERED);
  Bind(hoverPressed, IDC_GALLERY_HOVER_PRESSED);
  Bind(hoverDisabled, IDC_GALLERY_HOVER_DISABLED);
  Bind(closeNormal, IDC_GALLERY_CLOSE_NORMAL);
  Bind(closeHovered, IDC_GALLERY_CLOSE_HOVERED);
  Bind(clean, IDC_GALLERY_CLEAN);
  Bind(menu, IDC_GALLERY_MENU);
  Bind(settings, IDC_GALLERY_SETTINGS);
  Bind(label, IDC_GALLERY_LABEL);
  Bind(check, IDC_GALLERY_CHECK);
  Bind(edit, IDC_GALLERY_EDIT);
  Bind(barEmpty, IDC_GALLERY_BAR_EMPTY);
  Bind(barHalf, IDC_GALLERY_BAR_HALF);
  Bind(barFull, IDC_GALLERY_BAR_FULL);
  Bind(barAtUpper, IDC_GALLERY_BAR_AT_UPPER);
}

BOOL ControlGallery::OnInitDialog() {
  for (ImageButton* button : {&closeNormal, &closeHovered}) {
    button->LoadBitmaps(IDB_CLOSE_NORMAL, IDB_CLOSE_PRESSED, IDB_CLOSE_HOVER);
    button->SizeToContent();
  }
  clean.LoadBitmaps(IDB_CLEAN_NORMAL, IDB_CLEAN_PRESSED, IDB_CLEAN_HOVER);
  clean.SizeToContent();
  menu.LoadBitmaps(IDB_MENU_NORMAL, IDB_MENU_PRESSED, IDB_MENU_HOVER);
  menu.SizeToContent();
  settings.LoadBitmaps(IDB_SETTINGS_NORMAL, IDB_SETTINGS_PRESSED, IDB_SETTINGS_HOVER);
  settings.SizeToContent();

  for (HoverButton* button : {&hoverNormal, &hoverHovered, &hoverPressed, &hoverDisabled}) {
    button->SetColours(RGB(0x00, 0x00, 0x00), RGB(0xEA, 0xED, 0xF4));
  }
  label.SetColours(kLabelText, RGB(0xFF, 0xFF, 0xFF));
  check.SetColours(kLabelText, kCheckBackground);
  edit.SetColours(kEditText, kEditBackground);
  SetWindowTextA(edit.hwnd(), "색 편집 칸");

  for (GradientProgress* bar : {&barEmpty, &barHalf, &barFull, &barAtUpper}) {
    bar->SetRange(0, 1000);
    bar->SetPos(0);
    bar->SetBackgroundColour(kBarBackground);
  }
  barHalf.SetPos(500);
  barFull.SetRange(0, 1001);
  barFull.SetPos(1000);
  barAtUpper.SetPos(1000);
  return TRUE;
}

void ControlGallery::ShowStates() {
  SendMessageA(hoverHovered.hwnd(), WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
  SendMessageA(hoverDisabled.hwnd(), WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
  // Pressed: the pointer came in (the button takes the capture), then the
  // button went down.
  SendMessageA(hoverPressed.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ReleaseCapture();
  SendMessageA(hoverPressed.hwnd(), BM_SETSTATE, TRUE, 0);
  SendMessageA(closeHovered.hwnd(), WM_MOUSEHOVER, 0, MAKELPARAM(2, 2));
  SendMessageA(check.hwnd(), BM_SETCHECK, BST_CHECKED, 0);
}

bool ControlGallery::OnPaint() {
  PaintDC dc(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  PaintPanel(dc.get(), client, kPanelFill);
  return true;
}

}  // namespace vantrel::winetest
