#include "app/about_dialog.h"

#include "app/main_window_layout.h"
#include "build_config.h"
#include "controls/paint_panel.h"
#include "framework/gdi_handles.h"
#include "framework/sound.h"
#include "online/web_links.h"

namespace vantrel {

namespace {

constexpr int kStringBufferSize = 2000;

std::string LoadProgramString(int id) {
  char buffer[kStringBufferSize] = {};
  const int length = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace

std::string AboutDialog::HelpText() {
  return LoadProgramString(IDS_HELP_TEXT) + LoadProgramString(IDS_HELP_TEXT_MORE) + "(" +
         build::kHomePage + ")";
}

void AboutDialog::BindControls() {
  Bind(title, IDC_ABOUT_TITLE);
  Bind(credit, IDC_ABOUT_CREDIT);
  Bind(closeButton, IDOK);
  Bind(helpText, IDC_ABOUT_HELP);
  Bind(homePageButton, IDC_ABOUT_HOME_PAGE);
  Bind(counterPageButton, IDC_ABOUT_COUNTER_PAGE);
}

BOOL AboutDialog::OnInitDialog() {
  title.SetColours(RGB(0x33, 0x99, 0xCC), RGB(0xFF, 0xFF, 0xFF));
  credit.SetColours(RGB(0x33, 0x99, 0xCC), RGB(0xFF, 0xFF, 0xFF));
  closeButton.LoadBitmaps(IDB_CLOSE_NORMAL, IDB_CLOSE_PRESSED, IDB_CLOSE_HOVER);
  closeButton.SizeToContent();
  homePageButton.SetColours(RGB(0x00, 0x00, 0x00), RGB(0xEA, 0xED, 0xF4));
  counterPageButton.SetColours(RGB(0x00, 0x00, 0x00), RGB(0xEA, 0xED, 0xF4));
  SetWindowTextA(helpText.hwnd(), HelpText().c_str());
  return TRUE;
}

void AboutDialog::OnOK() {
  PlayClickSound();
  EndDialog(IDOK);
}

// The window stays open after a link.
bool AboutDialog::OnClicked(int id) {
  if (id != IDC_ABOUT_HOME_PAGE && id != IDC_ABOUT_COUNTER_PAGE) return false;
  PlayClickSound();
  OpenInBrowser(id == IDC_ABOUT_HOME_PAGE ? build::kHomePage : build::kCounterPage);
  return true;
}

bool AboutDialog::OnPaint() {
  PaintDC dc(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  PaintPanel(dc.get(), client, AboutPanelLook());
  return true;
}

}  // namespace vantrel
