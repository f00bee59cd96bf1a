// The start-up splash of the real Qorv.exe, watched from outside: its
// outline on the NT family, the blinking word, and the rectangular splash
// with the desktop miniature that older versions get.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "program_driving.h"
#include "resource.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kTitle[] = "Vantrel V.ZEL";
constexpr int kSplashWidth = 336;
constexpr int kSplashHeight = 260;

// Waits while keeping this program's own windows painted.
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds) {
  return WaitUntil(
      [&] {
        PumpPending();
        return condition();
      },
      milliseconds);
}

// A visible window owned by owner with the splash's size.
HWND SplashOf(HWND owner) {
  return VisibleOwnedWindow(owner, [](HWND window) {
    const RECT r = WindowRectOf(window);
    return r.right - r.left == kSplashWidth && r.bottom - r.top == kSplashHeight;
  });
}

// The outline as the program carries it: resource 214 of type "Region"
// (this test program links the same resources).
std::vector<RECT> ResourceRectangles() {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_SPLASH_REGION), "Region");
  if (found == nullptr) return {};
  const auto* data = static_cast<const RGNDATA*>(LockResource(LoadResource(nullptr, found)));
  const auto* first = reinterpret_cast<const RECT*>(data->Buffer);
  return std::vector<RECT>(first, first + data->rdh.nCount);
}

std::vector<RECT> WindowRegionRectangles(HWND window, int* type) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  *type = GetWindowRgn(window, region);
  std::vector<RECT> rects;
  const DWORD size = GetRegionData(region, 0, nullptr);
  if (*type != ERROR && size > 0) {
    std::vector<char> bytes(size);
    auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
    if (GetRegionData(region, size, data) == size) {
      const auto* first = reinterpret_cast<const RECT*>(data->Buffer);
      rects.assign(first, first + data->rdh.nCount);
    }
  }
  DeleteObject(region);
  return rects;
}

bool SameRects(const std::vector<RECT>& a, const std::vector<RECT>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(RECT)) == 0;
}

COLORREF ScreenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// Plain windows of this program that stand for whatever lies beneath the
// splash: each paints itself in one colour. They never take the activation
// the starting program gives away, which would raise them over the splash.
class Backdrop {
 public:
  Backdrop(RECT area, COLORREF colour) {
    static const ATOM registered = [] {
      WNDCLASSA type = {};
      type.lpfnWndProc = &Backdrop::Procedure;
      type.hInstance = GetModuleHandleA(nullptr);
      type.lpszClassName = "VantrelSplashBackdrop";
      type.hCursor = LoadCursor(nullptr, IDC_ARROW);
      return RegisterClassA(&type);
    }();
    (void)registered;
    window_ = CreateWindowExA(WS_EX_NOACTIVATE, "VantrelSplashBackdrop", "backdrop", WS_POPUP | WS_DISABLED, area.left, area.top,
                              area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
  }
  ~Backdrop() { DestroyWindow(window_); }
  Backdrop(const Backdrop&) = delete;
  Backdrop& operator=(const Backdrop&) = delete;
  HWND hwnd() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(window, GWLP_USERDATA)));
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    EndPaint(window, &paint);
    return 0;
  }

  HWND window_ = nullptr;
};

class SplashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeFolder(ScratchFolder() + "run_" + std::to_string(++runs));
    ASSERT_TRUE(CopyFileA(BuiltProgram("Qorv.exe").c_str(), (folder + "Qorv.exe").c_str(), FALSE));
  }

  void TearDown() override {
    if (qorv == nullptr) return;
    if (HWND window = FindTestWindow(nullptr, kTitle)) PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(qorv->WaitForExit(20000));
    qorv.reset();
  }

  // Starts the program and waits for its splash on the screen.
  void StartAndFindSplash() {
    qorv = std::make_unique<RunningProgram>(folder + "Qorv.exe", "", folder);
    ASSERT_TRUE(qorv->Started());
    ASSERT_TRUE(WaitFor(
        [&] {
          main = FindTestWindow(nullptr, kTitle);
          return main != nullptr && (splash = SplashOf(main)) != nullptr;
        },
        20000))
        << "no splash came up";
    where = WindowRectOf(splash);
  }

  POINT OnScreen(int x, int y) const { return POINT{where.left + x, where.top + y}; }

  void ExpectCentred() const {
    EXPECT_EQ(where.left, (GetSystemMetrics(SM_CXMAXTRACK) - kSplashWidth) / 2);
    EXPECT_EQ(where.top, (GetSystemMetrics(SM_CYMAXTRACK) - kSplashHeight) / 2);
  }

  // The screen around the splash, for people to look at.
  void SaveScreenshot(const std::string& file) {
    Capture screen(GetDesktopWindow());
    EXPECT_TRUE(screen.SaveBmp(ScratchFolder() + file));
  }

  void ExpectGoneWithTheMainWindowShown() {
    const HWND shownSplash = splash;
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(shownSplash); }, 20000)) << "the splash stayed";
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) && WindowRectOf(main).left >= 0; }, 20000));
  }

  static inline int runs = 0;
  std::string folder;
  std::unique_ptr<RunningProgram> qorv;
  HWND main = nullptr;
  HWND splash = nullptr;
  RECT where = {};
};

struct ShapedCase {
  const char* version;  // as Wine names it; null for Wine's default
  const char* name;     // what the program calls it
};

TEST_F(SplashTest, TheNtFamilyGetsTheOutlineOfTheRegionResource) {
  const std::vector<RECT> expected = ResourceRectangles();
  ASSERT_EQ(expected.size(), 220u);
  const ShapedCase cases[] = {{nullptr, "Windows XP (6.1)"}, {"winxp64", "Windows 2000 (5.2)"}};
  for (const ShapedCase& c : cases) {
    SCOPED_TRACE(c.name);
    ReportedWindowsVersion version(c.version);
    StartAndFindSplash();
    ASSERT_FALSE(HasFatalFailure());
    ExpectCentred();
    int type = ERROR;
    const std::vector<RECT> outline = WindowRegionRectangles(splash, &type);
    EXPECT_EQ(type, COMPLEXREGION);
    EXPECT_TRUE(SameRects(outline, expected)) << outline.size() << " rectangles in the window's region";
    ExpectGoneWithTheMainWindowShown();
    TearDown();
  }
}

// The inner area belongs to the window beneath, except for the letters of
// the word, which change colour every 430 ms in a fixed order.
TEST_F(SplashTest, TheWordBlinksInFiveColoursOverTheWindowBeneath) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  Backdrop beneath(RECT{0, 0, width, height}, RGB(0x20, 0x80, 0x20));
  StartAndFindSplash();
  ASSERT_FALSE(HasFatalFailure());

  // A pixel of the L's stem, from the outline itself.
  POINT letter = {-1, -1};
  for (const RECT& r : ResourceRectangles()) {
    if (r.top >= 102 && r.left >= 108 && r.right < 325) {
      letter = OnScreen(r.left, r.top);
      break;
    }
  }
  ASSERT_NE(letter.x, -1);
  EXPECT_EQ(WindowFromPoint(letter), splash);
  EXPECT_EQ(WindowFromPoint(OnScreen(3, 100)), splash) << "the left border";
  EXPECT_EQ(WindowFromPoint(OnScreen(168, 220)), splash) << "the lower band";
  EXPECT_EQ(WindowFromPoint(OnScreen(40, 40)), beneath.hwnd()) << "the cut-away area";
  EXPECT_EQ(WindowFromPoint(OnScreen(300, 170)), beneath.hwnd()) << "the cut-away area";
  EXPECT_EQ(WindowFromPoint(OnScreen(0, 0)), beneath.hwnd()) << "the rounded corner";

  // Keys reach the splash without ending it.
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    PostMessageA(splash, WM_KEYDOWN, key, 1);
    PostMessageA(splash, WM_KEYUP, key, 0xC0000001);
  }

  const COLORREF colours[] = {RGB(0x84, 0xFF, 0xFF), RGB(0x00, 0xFF, 0x99), RGB(0x66, 0x33, 0xFF),
                              RGB(0x00, 0x99, 0xCC), RGB(0xFF, 0x00, 0x00)};
  auto indexOf = [&](COLORREF c) {
    for (int i = 0; i < 5; ++i) {
      if (colours[i] == c) return i;
    }
    return -1;
  };
  // Each tick of the blink timer paints the next colour. The splash lives
  // for less than seven of the program's own ticks, too few to see all five
  // colours on a busy machine, so the test adds ticks of its own, each once
  // the last change has shown. A tick of the program's may come in between:
  // a step then moves on two colours, never back and never further.
  std::vector<int> seen;
  const int first = indexOf(ScreenPixel(letter));
  // The picture's own colour before the first tick counts as the one before
  // the first colour.
  const int before = first >= 0 ? first : 4;
  auto allColoursSeen = [&] {
    for (int colour = 0; colour < 5; ++colour) {
      if (std::find(seen.begin(), seen.end(), colour) == seen.end()) return false;
    }
    return true;
  };
  for (int tick = 0; tick < 20 && !allColoursSeen() && IsWindowVisible(splash); ++tick) {
    const int last = seen.empty() ? first : seen.back();
    PostMessageA(splash, WM_TIMER, 1, 0);
    int now = -1;
    WaitFor(
        [&] {
          now = indexOf(ScreenPixel(letter));
          return (now >= 0 && now != last) || !IsWindowVisible(splash);
        },
        5000);
    if (now < 0 || now == last) break;
    seen.push_back(now);
    if (seen.size() == 2) {
      SaveScreenshot("splash_shaped.bmp");
      EXPECT_EQ(ScreenPixel(OnScreen(40, 40)), RGB(0x20, 0x80, 0x20)) << "the window beneath shows through";
    }
  }
  EXPECT_TRUE(allColoursSeen()) << "the word did not blink through the five colours (" << seen.size()
                                << " changes seen)";
  for (std::size_t i = 0; i < seen.size(); ++i) {
    const int previous = i == 0 ? before : seen[i - 1];
    const int step = (seen[i] - previous + 5) % 5;
    EXPECT_TRUE(step == 1 || step == 2) << "colour #" << i << " is " << seen[i] << " after " << previous;
  }
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(splash); }, 10000)) << "the splash never went";
  ExpectGoneWithTheMainWindowShown();
}

// Windows 95, 98 and ME: a plain rectangle that paints a miniature of the
// desktop where the shaped splash would let it show through.
TEST_F(SplashTest, OlderWindowsGetARectangleWithTheDesktopInMiniature) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  Backdrop left(RECT{0, 0, width / 2, height}, RGB(0xC0, 0x20, 0x20));
  Backdrop right(RECT{width / 2, 0, width, height}, RGB(0x20, 0x20, 0xC0));
  ReportedWindowsVersion version("win98");
  StartAndFindSplash();
  ASSERT_FALSE(HasFatalFailure());
  ExpectCentred();

  int type = ERROR;
  WindowRegionRectangles(splash, &type);
  EXPECT_EQ(type, ERROR) << "the window has a region";
  EXPECT_EQ(WindowFromPoint(OnScreen(40, 40)), splash);
  EXPECT_EQ(WindowFromPoint(OnScreen(0, 0)), splash);

  // The miniature spans (6, 6) to (325, 179): the two halves of the screen
  // left and right, as they were before the splash drew itself over them.
  const COLORREF red = RGB(0xC0, 0x20, 0x20);
  const COLORREF blue = RGB(0x20, 0x20, 0xC0);
  const POINT border = OnScreen(3, 100);
  ASSERT_TRUE(WaitFor([&] { return ScreenPixel(border) != red; }, 5000)) << "the splash was never painted";
  // Resampling truncates: a colour may come out one step darker.
  auto darkerByAtMostOne = [](COLORREF got, COLORREF want) {
    for (int shift : {0, 8, 16}) {
      const int g = (got >> shift) & 0xFF;
      const int w = (want >> shift) & 0xFF;
      if (g > w || g < w - 1) return false;
    }
    return true;
  };
  EXPECT_PRED2(darkerByAtMostOne, ScreenPixel(OnScreen(6 + 20, 6 + 10)), red);
  EXPECT_PRED2(darkerByAtMostOne, ScreenPixel(OnScreen(6 + 20, 6 + 160)), red);
  EXPECT_PRED2(darkerByAtMostOne, ScreenPixel(OnScreen(6 + 300, 6 + 10)), blue);
  EXPECT_PRED2(darkerByAtMostOne, ScreenPixel(OnScreen(6 + 300, 6 + 160)), blue);
  EXPECT_NE(ScreenPixel(OnScreen(6 + 1, 6 + 1)), ScreenPixel(OnScreen(4, 4))) << "no miniature at its top left";
  SaveScreenshot("splash_rectangular.bmp");
  ExpectGoneWithTheMainWindowShown();
}

}  // namespace
}  // namespace vantrel
