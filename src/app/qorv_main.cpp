// Qorv.exe: for now a plain window that reads the settings at start and
// writes them when it is closed.
#include <windows.h>

#include "app/settings_session.h"

namespace {

constexpr char kWindowClass[] = "VantrelMain";
constexpr char kWindowTitle[] = "Vantrel V.ZEL";

vantrel::SettingsSession* session = nullptr;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT area;
      GetClientRect(window, &area);
      DrawTextA(dc, "Vantrel PC 청소기", -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      session->SaveSettings();
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  if (FindWindowA(nullptr, kWindowTitle) != nullptr) return 0;

  vantrel::SettingsSession settings;
  session = &settings;
  settings.LoadSettings();

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
