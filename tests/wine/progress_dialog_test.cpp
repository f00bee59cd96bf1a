// The progress window on screen, hosting a purge of real folders.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "engine/progress_dialog.h"
#include "resource.h"
#include "settings/setup_data.h"
#include "program_driving.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

void PumpFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  } while (GetTickCount() < end);
}

std::string TextOf(HWND window) {
  char buffer[256] = {};
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

// What the client area of a window shows, as the screen has it.
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // top-down 0x00RRGGBB

  static Capture Of(HWND window) {
    Capture capture;
    RECT client;
    GetClientRect(window, &client);
    capture.width = client.right;
    capture.height = client.bottom;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* begin = static_cast<const std::uint32_t*>(bits);
    capture.pixels.assign(begin, begin + capture.width * capture.height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return capture;
  }

  // As COLORREF, for comparing with RGB().
  COLORREF At(int x, int y) const {
    const std::uint32_t p = pixels[y * width + x] & 0xFFFFFF;
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

  void Save(const std::string& path) const {
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    const DWORD bytes = static_cast<DWORD>(pixels.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + bytes;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()), bytes);
  }
};

RECT ItemRect(HWND dialog, int id) {
  RECT rect;
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int BarPos(HWND dialog, int id) {
  return static_cast<int>(SendMessageA(GetDlgItem(dialog, id), PBM_GETPOS, 0, 0));
}

bool IsBarBackground(COLORREF colour) { return colour == RGB(0xEA, 0xED, 0xF4); }

int FilesUnder(const std::string& folder) {
  int count = 0;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      count += FilesUnder(folder + name + "\\");
    } else {
      ++count;
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return count;
}

// What the timer saw while a purge ran; the timer fires from the messages
// the purge dispatches.
struct MidRun {
  HWND dialog = nullptr;
  bool clickClose = false;
  bool seen = false;
  int category = 0;
  Capture capture;
  bool visibleAfterClick = true;
};
MidRun* midRun = nullptr;

void CALLBACK OnMidRunTimer(HWND window, UINT, UINT_PTR id, DWORD) {
  if (midRun == nullptr || midRun->seen) return;
  const int category = BarPos(midRun->dialog, IDC_PROGRESS_CATEGORY_BAR);
  if (category < 200 || category > 800) return;
  midRun->seen = true;
  midRun->category = category;
  midRun->capture = Capture::Of(midRun->dialog);
  KillTimer(window, id);
  if (midRun->clickClose) {
    SendMessageA(GetDlgItem(midRun->dialog, IDC_PROGRESS_CLOSE), BM_CLICK, 0, 0);
    midRun->visibleAfterClick = IsWindowVisible(midRun->dialog) != FALSE;
  }
}

// Closes the program's message box as soon as it shows, noting its owner
// and text.
struct BoxCloser {
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindTestWindow("#32770", "경고");
    if (box == nullptr) return;
    owner = GetWindow(box, GW_OWNER);
    text = TextOf(GetDlgItem(box, 0xFFFF));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  static HWND owner;
  static std::string text;
};
HWND BoxCloser::owner = nullptr;
std::string BoxCloser::text;

class ProgressDialogWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.settings = &settings;
    SetWindowPos(dialog.hwnd(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(dialog.hwnd());
    PumpFor(200);
  }

  // A folder step as a run does it: label, count, the two passes, the close.
  void RunFolderStep(const std::string& folder, MidRun& watch) {
    dialog.CategoryBar().SetPos(0);
    dialog.CategoryBar().SetRange(0, 1001);
    dialog.OverallBar().SetPos(0);
    dialog.OverallBar().SetRange(0, 1001);
    dialog.StepLabel().SetText("템프");
    dialog.CountLabel().SetText("1/1");
    const int expected = dialog.CountFolderFiles(folder, true);
    EXPECT_EQ(expected, 1200);
    watch.dialog = dialog.hwnd();
    midRun = &watch;
    SetTimer(dialog.hwnd(), 7, 20, &OnMidRunTimer);
    EXPECT_EQ(dialog.PurgeFolder(&settings.cleanTemp, folder, true, 0, expected, 0, 1000), 1200);
    KillTimer(dialog.hwnd(), 7);
    midRun = nullptr;
    dialog.CategoryBar().SetPos(1000);
    dialog.StepLabel().SetText("청소 끝.");
    dialog.OverallBar().SetPos(1000);
    PumpFor(200);
  }

  ProgressDialog dialog;
  SetupData settings;
};

TEST_F(ProgressDialogWineTest, StartsWithItsTextsEmptyBarsAndPanel) {
  HWND window = dialog.hwnd();
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(TextOf(GetDlgItem(window, IDC_PROGRESS_STEP_LABEL)), "진행바");
  EXPECT_EQ(TextOf(GetDlgItem(window, IDC_PROGRESS_COUNT_LABEL)), "진행 갯수/총 갯수");
  for (int bar : {IDC_PROGRESS_CATEGORY_BAR, IDC_PROGRESS_OVERALL_BAR}) {
    PBRANGE range = {};
    SendMessageA(GetDlgItem(window, bar), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 1000);
    EXPECT_EQ(BarPos(window, bar), 0);
  }
  for (int hidden : {IDOK, IDCANCEL, IDC_PROGRESS_BUTTON1}) {
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, hidden))) << hidden;
  }
  const RECT close = ItemRect(window, IDC_PROGRESS_CLOSE);
  EXPECT_EQ(close.right - close.left, 9);  // sized to its bitmap
  EXPECT_EQ(close.bottom - close.top, 9);

  const Capture shot = Capture::Of(window);
  shot.Save(ScratchFolder() + "progress_initial.bmp");
  EXPECT_EQ(shot.At(0, 30), RGB(0xCD, 0xCD, 0xCD));
  EXPECT_EQ(shot.At(4, 30), RGB(0x06, 0x06, 0x06));
  EXPECT_EQ(shot.At(10, 30), RGB(0xFF, 0xC5, 0xFF));
  EXPECT_EQ(shot.At(18, 30), RGB(0xFF, 0x00, 0xFF));  // the inner border, inset 18
  EXPECT_EQ(shot.At(19, 19), RGB(0xF8, 0xFB, 0xFB));
  const RECT bar = ItemRect(window, IDC_PROGRESS_CATEGORY_BAR);
  const int middle = (bar.top + bar.bottom) / 2;
  EXPECT_TRUE(IsBarBackground(shot.At(bar.left + 1, middle)));
  EXPECT_TRUE(IsBarBackground(shot.At(bar.right - 2, middle)));
}

TEST_F(ProgressDialogWineTest, PurgeMovesTheBarsOnScreenAndEndsFull) {
  const std::string folder = ScratchFolder() + "shown";
  MidRun watch;
  RunFolderStep(folder, watch);
  EXPECT_EQ(FilesUnder(folder + "\\"), 0);
  EXPECT_TRUE(settings.cleanTemp);

  ASSERT_TRUE(watch.seen) << "the purge dispatched no timer message mid-run";
  watch.capture.Save(ScratchFolder() + "progress_mid.bmp");
  const RECT bar = ItemRect(dialog.hwnd(), IDC_PROGRESS_CATEGORY_BAR);
  const int width = bar.right - bar.left;
  const int middle = (bar.top + bar.bottom) / 2;
  // The gradient stops where the position says, or a little before: the
  // bar repaints in frames at least 16 ms (on a busy machine up to 100 ms)
  // apart, so it may show a position that much older (and the crossing band
  // is drawn whole, so allow a band either side).
  const int fill = static_cast<int>(static_cast<double>(watch.category) / 1001 * width);
  const COLORREF left = watch.capture.At(bar.left + 1, middle);
  EXPECT_GT(GetRValue(left), 200);
  EXPECT_LT(GetBValue(left), 60);
  int edge = 0;
  while (edge < width && !IsBarBackground(watch.capture.At(bar.left + edge, middle))) ++edge;
  EXPECT_LE(edge, fill + 3);
  EXPECT_GE(edge, fill - width / 4) << "the bar lags behind its position";
  EXPECT_TRUE(IsBarBackground(watch.capture.At(bar.right - 2, middle)));

  const Capture end = Capture::Of(dialog.hwnd());
  end.Save(ScratchFolder() + "progress_end.bmp");
  EXPECT_EQ(TextOf(GetDlgItem(dialog.hwnd(), IDC_PROGRESS_STEP_LABEL)), "청소 끝.");
  EXPECT_EQ(BarPos(dialog.hwnd(), IDC_PROGRESS_CATEGORY_BAR), 1000);
  const COLORREF right = end.At(bar.right - 3, middle);
  EXPECT_GT(GetBValue(right), 200);
  EXPECT_LT(GetRValue(right), 60);
}

TEST_F(ProgressDialogWineTest, CloseButtonHidesTheWindowAndTheRunGoesOn) {
  const std::string folder = ScratchFolder() + "hidden";
  MidRun watch;
  watch.clickClose = true;
  RunFolderStep(folder, watch);
  ASSERT_TRUE(watch.seen);
  EXPECT_FALSE(watch.visibleAfterClick);
  EXPECT_FALSE(IsWindowVisible(dialog.hwnd()));
  EXPECT_TRUE(IsWindow(dialog.hwnd()));
  EXPECT_EQ(FilesUnder(folder + "\\"), 0);
  // The hidden window kept up with the run.
  EXPECT_EQ(BarPos(dialog.hwnd(), IDC_PROGRESS_CATEGORY_BAR), 1000);
  EXPECT_EQ(TextOf(GetDlgItem(dialog.hwnd(), IDC_PROGRESS_STEP_LABEL)), "청소 끝.");
  dialog.Show();
  EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));
}

TEST_F(ProgressDialogWineTest, EnterAndEscapeDoNotHideIt) {
  SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));
}

TEST_F(ProgressDialogWineTest, RefusalMessageIsOwnedByTheWindow) {
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &BoxCloser::Tick);
  EXPECT_EQ(dialog.PurgeFolder(&settings.cleanRecent, "C:\\", false, 0, 1, 0, 1000), -1);
  KillTimer(nullptr, timer);
  EXPECT_FALSE(settings.cleanRecent);
  EXPECT_EQ(BoxCloser::owner, dialog.hwnd());
  EXPECT_EQ(BoxCloser::text,
            "경로가 루프폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n해당 삭제 설정을 해제합니다.");
}

}  // namespace
}  // namespace vantrel
