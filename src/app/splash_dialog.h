#pragma once
// The start-up splash. On the NT family its outline comes from the region
// resource and the word "Loading..." that the outline leaves blinks in five
// colours; elsewhere it stays rectangular and shows a miniature of the
// desktop where the shaped splash lets the desktop show through.

#include <windows.h>

#include <string>

#include "framework/dialog.h"
#include "framework/gdi_handles.h"
#include "resource.h"

namespace vantrel {

class SplashDialog : public Dialog {
 public:
  enum { IDD = IDD_SPLASH };

  SplashDialog() : Dialog(IDD) {}

  // Creates the window hidden over parent, centres it on the screen and
  // shows it.
  bool Open(HWND parent);
  void ApplyRegion();

  bool PreTranslateMessage(MSG& message) override;

 protected:
  BOOL OnInitDialog() override;
  bool OnPaint() override;
  bool OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  // It takes no input: no dragging, and neither key nor button ends it.
  bool OnMouseMove(UINT, POINT) override { return false; }
  void OnOK() override {}
  void OnCancel() override {}
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The whole desktop scaled to the inner area; null when it cannot be
  // scaled.
  Bitmap DesktopMiniature();
  // The picture, and the miniature in its inner area when there is one.
  void DrawPicture(HDC target, SIZE size, HBITMAP miniature);
  void ShowMessage(const char* text);
  void ShowRefusal();

  Bitmap image;
  int colourIndex = 0;
  std::string osName;
  int regionMode = 0;
  bool refusalShowing = false;
};

}  // namespace vantrel
