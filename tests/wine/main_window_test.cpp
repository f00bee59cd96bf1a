// The real Qorv.exe driven from this program: start-up, a cleaning run,
// the keys, the About window and every way of ending it.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "build_config.h"
#include "program_driving.h"
#include "settings/setup_data.h"
#include "stored_settings.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kTitle[] = "Vantrel V.ZEL";

int WindowsTitled(const char* title) {
  struct Count {
    const char* title;
    int count;
  } count{title, 0};
  EnumWindows(
      [](HWND window, LPARAM parameter) CALLBACK -> BOOL {
        auto& c = *reinterpret_cast<Count*>(parameter);
        if (OfThisTest(window) && TitleOf(window) == c.title) ++c.count;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.count;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus != nullptr) {
    return info.hwndFocus;
  }
  return window;
}

// The help text of the About window, line by line.
std::string ExpectedHelpText() {
  const char* const lines[] = {
      "",
      "*처음 실행하시는 분은 메뉴에서 '폴더 정보 보기'를 누르신 후",
      "중요한 폴더가 설정되어 있는지 '체크' 하시기 바랍니다.",
      "",
      "Vantrel?!",
      "Vantrel는 컴퓨터에서 불필요하고 하드만 많이 차지하는 '더미'파일들을 ",
      "버튼하나로 지워주는 프로그램입니다.",
      "",
      "청소해 주는 것: 익스플로러의 캐시, 쿠키, 히스토리 , URL 주소 ",
      "                 윈도우의 Temp, 최근 실행 문서리스트, 휴지통",
      "                 미디어 플레이어와 Real 플레이어의 실행 기록",
      "                 사용자의 추가 설정 디렉토리와 레지스트리",
      "",
  };
  const char* const more[] = {
      "",
      "",
      "응용프로그램의 최근실행 문서 등을 레지스트리에서 찾아서 지우는 법:",
      "",
      "        1.기록(History)등을 지우려는 응용프로그램에서 다른것과 구별되는 문자열",
      "\t5자 정도를 기억한다. ",
      "",
      "        2.Vantrel->설정->사용자추가->레지스트리 추가->레지스트리 찾기 ",
      "        에서 기억한 5자 정도의 문자열을 정확히(빈칸도 정확히) 적은 후 찾기를 한다.",
      "        (찾기는 약간의 시간이 걸린다.)",
      "",
      "        3. 레지스트리를 찾았다면 그곳의 위치를 왼쪽의 폴더모양과 비슷한 곳에 ",
      "        마우스 오른쪽 키를 누른 후(열려진 모양의 폴더에)  '키 이름복사'를 눌러",
      "        복사한 후 Vantrel로 돌아와 '붙여 넣기'로 붙여 넣은 후 추가를 한다.",
      "",
      "        그후 Vantrel의 청소 버튼을 누르면 해당 레지스트리도 같이 청소한것을",
      "        볼 수 있다.",
      "  (거의 많은 프로그램들이 기록을 레지스트리에서 쓴다. 하지만 그렇지 않은 ",
      "   프로그램도 있을 수 있다. 그런 프로그램은 이 방법으로는 지울 수 없다. )",
      "",
      "           문의/개선/버그 등은 홈페이지에 남겨주세요.",
  };
  auto join = [](const char* const* begin, const char* const* end) {
    std::string text;
    for (const char* const* line = begin; line != end; ++line) {
      if (line != begin) text += "\r\n";
      text += *line;
    }
    return text;
  };
  return join(std::begin(lines), std::end(lines)) + join(std::begin(more), std::end(more)) + "(" +
         build::kHomePage + ")";
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeFolder(ScratchFolder() + "run_" + std::to_string(++runs));
    ASSERT_TRUE(CopyFileA(BuiltProgram("Qorv.exe").c_str(), (folder + "Qorv.exe").c_str(), FALSE));
  }

  void Start() {
    qorv = std::make_unique<RunningProgram>(folder + "Qorv.exe", "", folder);
    ASSERT_TRUE(qorv->Started());
    started = GetTickCount();
  }

  // Starts the program and waits for the first paint to park the window.
  void StartAndWaitOffScreen() {
    Start();
    ASSERT_TRUE(WaitUntil(
        [&] {
          main = FindTestWindow(nullptr, kTitle);
          return main != nullptr && WindowRectOf(main).right < 0 && WindowRectOf(main).bottom < 0;
        },
        20000))
        << "the main window never went off-screen";
  }

  // Shown for good means centred: while the first paint parks the window,
  // the system briefly puts the minimised window on screen too.
  void WaitUntilShown() {
    ASSERT_TRUE(WaitUntil([&] { return CentredOnScreen(main); }, 20000))
        << "the main window never came on screen in the middle";
    shownAfter = GetTickCount() - started;
  }

  // Starts the program and waits until its start is over.
  void StartAndShow() {
    Start();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(WaitUntil([&] { return (main = FindTestWindow(nullptr, kTitle)) != nullptr && StartIsOver(main); },
                          20000))
        << "the main window never came on screen in the middle, or its icon stayed";
  }

  void SaveScreenshot(HWND window, const std::string& file) {
    Capture capture(window);
    EXPECT_TRUE(capture.SaveBmp(ScratchFolder() + file));
  }

  static inline int runs = 0;
  std::string folder;
  std::unique_ptr<RunningProgram> qorv;
  HWND main = nullptr;
  DWORD started = 0;
  DWORD shownAfter = 0;
};

TEST_F(MainWindowTest, StartsOffScreenThenComesCentredAndASecondCopyEnds) {
  StartAndWaitOffScreen();
  ASSERT_FALSE(HasFatalFailure());

  RunningProgram second(folder + "Qorv.exe", "", folder);
  ASSERT_TRUE(second.Started());
  EXPECT_TRUE(second.WaitForExit(10000));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_EQ(WindowsTitled(kTitle), 1);

  WaitUntilShown();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_GE(shownAfter, 2800u) << "shown before the splash time was over";

  const RECT r = WindowRectOf(main);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  EXPECT_GE(r.left, 0);
  EXPECT_GE(r.top, 0);
  EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & WS_CAPTION, 0);
  RECT client = {};
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, width) << "the frame of the caption is still there";
  EXPECT_EQ(client.bottom, height);

  SaveScreenshot(main, "main_window.bmp");
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(qorv->WaitForExit(20000));
}

TEST_F(MainWindowTest, CleanButtonRunsARealCleaningUnderTheMainWindow) {
  char temp[MAX_PATH] = {};
  ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
  const std::string seed = MakeFolder(std::string(temp) + "vantrel_main_window_seed");
  const std::vector<std::string> seeded = {seed + "a.txt", seed + "b.log", std::string(temp) + "vantrel_seed.tmp"};
  for (const std::string& file : seeded) WriteBytes(file, "throw-away");

  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  PostMessageA(GetDlgItem(main, 1068), BM_CLICK, 0, 0);

  HWND progress = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (progress = VisibleOwnedWindowWith(main, 1056)) != nullptr; }, 10000))
      << "the progress window did not show";
  ASSERT_TRUE(WaitUntil([&] { return TextOfWindow(GetDlgItem(progress, 1043)) == "청소 끝."; }, 120000))
      << "the run did not finish: " << TextOfWindow(GetDlgItem(progress, 1043));
  const std::string count = TextOfWindow(GetDlgItem(progress, 1095));
  EXPECT_NE(count.find('/'), std::string::npos) << count;

  for (const std::string& file : seeded) EXPECT_FALSE(FileExists(file)) << file;

  const RECT m = WindowRectOf(main);
  RECT p = WindowRectOf(progress);
  EXPECT_EQ(p.top, m.bottom);
  EXPECT_EQ(p.left, (m.left + m.right - (p.right - p.left)) / 2);

  SaveScreenshot(progress, "progress_window.bmp");

  // The progress window follows when the main window moves.
  SetWindowPos(main, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitUntil([&] { return WindowRectOf(progress).top == WindowRectOf(main).bottom; }, 5000));
  p = WindowRectOf(progress);
  EXPECT_EQ(p.top, 120 + (m.bottom - m.top));
  EXPECT_EQ(p.left, (100 + 100 + (m.right - m.left) - (p.right - p.left)) / 2);

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(qorv->WaitForExit(20000));
}

TEST_F(MainWindowTest, EnterAndEscapeLeaveTheMainWindowButCloseTheAboutWindow) {
  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  PostMessageA(main, WM_ACTIVATE, WA_ACTIVE, 0);
  for (HWND target : {FocusOf(main), main, GetDlgItem(main, 1068)}) {
    PostKey(target, VK_RETURN);
    PostKey(target, VK_ESCAPE);
  }
  // Posted after the keys, so the About window shows once they are handled.
  PostMessageA(main, WM_SYSCOMMAND, 16, 0);
  HWND about = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (about = VisibleOwnedWindowWith(main, 1029)) != nullptr; }, 10000))
      << "the system-menu item did not open the About window";
  EXPECT_TRUE(IsWindow(main));
  EXPECT_TRUE(IsWindowVisible(main));

  EXPECT_EQ(TextOfWindow(GetDlgItem(about, 1029)), ExpectedHelpText());
  EXPECT_EQ(TextOfWindow(GetDlgItem(about, 1046)), "컴퓨터 청소기 Vantrel ZEL Version 1.2");
  EXPECT_EQ(TextOfWindow(GetDlgItem(about, 1048)), "제작 홈피 GO");
  EXPECT_EQ(TextOfWindow(GetDlgItem(about, 1067)), "Vantrel 실행 카운터 GO");
  Sleep(300);  // let it paint before the picture is taken
  SaveScreenshot(about, "about_window.bmp");

  PostKey(FocusOf(about), VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 10000)) << "Enter did not close the About window";

  PostMessageA(GetDlgItem(main, 1053), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return (about = VisibleOwnedWindowWith(main, 1029)) != nullptr; }, 10000))
      << "the ? button did not open the About window";
  PostKey(FocusOf(about), VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 10000)) << "Escape did not close the About window";

  EXPECT_TRUE(IsWindow(main));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(qorv->WaitForExit(20000));
}

TEST_F(MainWindowTest, MenuCommandsShowTheSideWindows) {
  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(VisibleOwnedWindowWith(main, 1096), nullptr) << "the folder window shows before it is asked for";
  EXPECT_EQ(VisibleOwnedWindowWith(main, 1056), nullptr) << "the progress window shows before it is asked for";

  PostMessageA(main, WM_COMMAND, 32778, 0);
  HWND folderWindow = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (folderWindow = VisibleOwnedWindowWith(main, 1096)) != nullptr; }, 10000));
  RECT desktop = WindowRectOf(GetDesktopWindow());
  RECT f = WindowRectOf(folderWindow);
  EXPECT_EQ(f.left, 5);
  EXPECT_EQ(f.top, (desktop.bottom - desktop.top) - (f.bottom - f.top) - 45);

  PostMessageA(main, WM_COMMAND, 32779, 0);
  HWND progress = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (progress = VisibleOwnedWindowWith(main, 1056)) != nullptr; }, 10000));
  EXPECT_EQ(TextOfWindow(GetDlgItem(progress, 1043)), "진행바");
  EXPECT_EQ(WindowRectOf(progress).top, WindowRectOf(main).bottom);

  PostMessageA(main, WM_COMMAND, 57670, 0);
  HWND about = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (about = VisibleOwnedWindowWith(main, 1029)) != nullptr; }, 10000));
  PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 10000));

  // "_" minimises, and the minimised window hides itself.
  PostMessageA(GetDlgItem(main, 1039), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 10000))
      << "the window did not go to the tray (minimised: " << (IsIconic(main) != FALSE)
      << ", enabled: " << (IsWindowEnabled(main) != FALSE) << ", foreground: " << (GetForegroundWindow() == main)
      << ")";
  EXPECT_TRUE(IsWindow(main));

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(qorv->WaitForExit(20000));
}

// Every way out saves the settings and removes the files the updater leaves.
struct ShutdownRoute {
  const char* name;
  std::function<void(HWND)> close;
};

void ChooseExitFromTheMenu(HWND main) {
  PostMessageA(GetDlgItem(main, 1069), BM_CLICK, 0, 0);
  HWND popup = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (popup = FindTestWindow("#32768", nullptr)) != nullptr && IsWindowVisible(popup); },
                      10000))
      << "the menu did not open";
  // Down to the last item, "종료": nine steps past the separators.
  for (int i = 0; i < 9; ++i) PostKey(popup, VK_DOWN);
  PostKey(popup, VK_RETURN);
}

const ShutdownRoute kRoutes[] = {
    {"the X button", [](HWND main) { PostMessageA(GetDlgItem(main, 1040), BM_CLICK, 0, 0); }},
    {"WM_CLOSE from outside", [](HWND main) { PostMessageA(main, WM_CLOSE, 0, 0); }},
    {"the system menu's close", [](HWND main) { PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"Alt+F4", [](HWND main) { PostMessageA(main, WM_SYSKEYDOWN, VK_F4, 0x20000001); }},
    {"the menu's 종료", ChooseExitFromTheMenu},
};

TEST_F(MainWindowTest, EveryWayOutSavesAndRemovesTheUpdateFiles) {
  for (const ShutdownRoute& route : kRoutes) {
    SCOPED_TRACE(route.name);
    DeleteFileA((folder + "SetupData.Sav").c_str());
    WriteBytes(folder + "UpDateInf.Txt", "1.3");
    WriteBytes(folder + "BANNER.GIF", "GIF89a");
    StartAndShow();
    ASSERT_FALSE(HasFatalFailure());
    route.close(main);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(qorv->WaitForExit(20000)) << "the program did not end";
    EXPECT_EQ(ReadBytes(folder + "SetupData.Sav"), FirstStartSettingsBytes());
    EXPECT_FALSE(FileExists(folder + "UpDateInf.Txt"));
    EXPECT_FALSE(FileExists(folder + "BANNER.GIF"));
    qorv.reset();
  }
}

TEST_F(MainWindowTest, AFailedSaveStillRemovesTheUpdateFiles) {
  // The settings are written to a temporary file first; a folder in its way
  // makes the save beside the program fail, and the settings go to the
  // user's application-data folder instead.
  RemoveFallbackSettings();
  ASSERT_TRUE(CreateDirectoryA((folder + "SetupData.Sav.tmp").c_str(), nullptr));
  WriteBytes(folder + "UpDateInf.Txt", "1.3");
  WriteBytes(folder + "BANNER.GIF", "GIF89a");
  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(qorv->WaitForExit(20000));
  EXPECT_FALSE(FileExists(folder + "SetupData.Sav"));
  EXPECT_EQ(ReadBytes(FallbackSettingsFileOfUser()), FirstStartSettingsBytes());
  EXPECT_FALSE(FileExists(folder + "UpDateInf.Txt"));
  EXPECT_FALSE(FileExists(folder + "BANNER.GIF"));
  RemoveFallbackSettings();
}

}  // namespace
}  // namespace vantrel
