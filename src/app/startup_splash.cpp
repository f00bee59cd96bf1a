#include "app/startup_splash.h"

#include "resource.h"

namespace vantrel {

namespace {
constexpr int kWidth = 336;
constexpr int kHeight = 260;
}  // namespace

// A top-level window of its own, not owned by the main window: the main
// window minimises itself once while the splash is up, and owned windows
// would hide with it.
StartupSplash::StartupSplash()
    : picture_(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH_SHAPED),
                                               IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR))) {
  const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  window_.Reset(CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "STATIC", nullptr, WS_POPUP | SS_BITMAP, x, y,
                                kWidth, kHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  if (!window_) return;
  SendMessageA(window_.get(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
  ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
  UpdateWindow(window_.get());
}

}  // namespace vantrel
