// The folder-information window under Wine: its survey text, the refresh
// timer, the close button, docking to its owner and what it looks like.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>

#include "engine/folder_info_dialog.h"
#include "engine/folder_survey.h"
#include "engine/special_folders.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_pump_win32.h"
#include "platform/win32/shell_win32.h"
#include "resource.h"
#include "settings/setup_data.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr std::size_t kMegabyte = 1048576;

// The real file system, counting the searches and able to act in each one.
class WatchedFileSystem : public Win32FileSystem {
 public:
  std::unique_ptr<DirectoryFinder> Find(const std::string& pattern) override {
    searches.push_back(pattern);
    if (onFind) onFind();
    return Win32FileSystem::Find(pattern);
  }
  int SearchesOf(const std::string& pattern) const {
    return static_cast<int>(std::count(searches.begin(), searches.end(), pattern));
  }
  std::vector<std::string> searches;
  std::function<void()> onFind;
};

std::string TextOf(HWND window) {
  char buffer[4096] = {};
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

RECT ScreenRectOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

// Pumps messages until done() or about timeoutMs have passed.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    PumpPending();
  }
  return true;
}

class FolderInfoDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string root = ScratchFolder() + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    cache = MakeFolder(root + "\\cache");
    settings.cacheFolder = cache.substr(0, cache.size() - 1);
    settings.cookieFolder = MakeFolder(root + "\\cookies");
    settings.historyFolder = root + "\\history";
    settings.tempFolder = MakeFolder(root + "\\temp");
    settings.recentFolder = root + "\\recent";
    dialog.settings = &settings;
  }
  std::string Shown() const { return TextOf(dialog.hwnd() ? GetDlgItem(dialog.hwnd(), IDC_FOLDER_INFO_TEXT) : nullptr); }
  std::string Expected() { return BuildSurveyText(plainFiles, pump, shell, settings); }

  WatchedFileSystem files;
  Win32FileSystem plainFiles;
  Win32MessagePump pump;
  Win32Shell shell;
  SetupData settings;
  std::string cache;
  FolderInfoDialog dialog{files, pump, shell};
};

TEST_F(FolderInfoDialogTest, CreatedHiddenWithTheSurveyShown) {
  WriteBytes(cache + "a.bin", std::string(kMegabyte + kMegabyte / 2, 'a'));
  ASSERT_TRUE(dialog.Create());
  EXPECT_FALSE(IsWindowVisible(dialog.hwnd()));
  EXPECT_EQ(Shown(), Expected());
  EXPECT_NE(Shown().find("캐시 폴더: " + settings.cacheFolder + "\r\n크기: 1.5 MB\r\n"), std::string::npos);

  RECT client;
  GetClientRect(dialog.hwnd(), &client);
  RECT units{0, 0, 270, 139};
  MapDialogRect(dialog.hwnd(), &units);
  EXPECT_EQ(client.right, units.right);
  EXPECT_EQ(client.bottom, units.bottom);
  const RECT close = ScreenRectOf(dialog.Item(IDC_FOLDER_INFO_CLOSE));
  EXPECT_EQ(close.right - close.left, 9);
  EXPECT_EQ(close.bottom - close.top, 9);
  EXPECT_EQ(TextOf(dialog.Item(IDC_FOLDER_INFO_TITLE)), "폴더 정보");
  // (The edit control takes WS_BORDER away and draws the border itself.)
  const LONG style = GetWindowLongA(dialog.Item(IDC_FOLDER_INFO_TEXT), GWL_STYLE);
  EXPECT_EQ(style & (ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL), ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL);
}

TEST_F(FolderInfoDialogTest, HiddenWindowWalksNothing) {
  ASSERT_TRUE(dialog.Create());
  files.searches.clear();
  SendMessageA(dialog.hwnd(), WM_TIMER, FolderInfoDialog::kRefreshTimer, 0);
  EXPECT_TRUE(files.searches.empty());

  dialog.Show();
  SendMessageA(dialog.hwnd(), WM_TIMER, FolderInfoDialog::kRefreshTimer, 0);
  EXPECT_EQ(files.SearchesOf(cache + "*.*"), 1);
}

TEST_F(FolderInfoDialogTest, TimerRefreshesWhileVisibleOnly) {
  ASSERT_TRUE(dialog.Create());
  ShowAndPaint(dialog.hwnd());
  WriteBytes(cache + "new.bin", std::string(2 * kMegabyte, 'n'));
  EXPECT_TRUE(PumpUntil([&] { return Shown().find("크기: 2.0 MB\r\n") != std::string::npos; }, 8000))
      << "the timer never refreshed the visible window";

  dialog.Hide();
  files.searches.clear();
  PumpUntil([] { return false; }, 2600);
  EXPECT_TRUE(files.searches.empty()) << "the hidden window walked " << files.searches.front();
}

TEST_F(FolderInfoDialogTest, NoRefreshDuringACleaningRunAndOneWhenItEnds) {
  ASSERT_TRUE(dialog.Create());
  ShowAndPaint(dialog.hwnd());
  dialog.CleaningRunStarted();
  WriteBytes(cache + "new.bin", std::string(2 * kMegabyte, 'n'));
  files.searches.clear();
  for (int tick = 0; tick < 3; ++tick) {
    SendMessageA(dialog.hwnd(), WM_TIMER, FolderInfoDialog::kRefreshTimer, 0);
  }
  PumpUntil([] { return false; }, 2600);
  EXPECT_TRUE(files.searches.empty()) << "a refresh walked " << files.searches.front();

  dialog.CleaningRunEnded();
  EXPECT_EQ(files.SearchesOf(cache + "*.*"), 1);
  EXPECT_NE(Shown().find("크기: 2.0 MB\r\n"), std::string::npos);

  dialog.Hide();
  dialog.CleaningRunStarted();
  files.searches.clear();
  dialog.CleaningRunEnded();
  EXPECT_TRUE(files.searches.empty()) << "a hidden window walked after the run";
}

TEST_F(FolderInfoDialogTest, UnchangedTextIsNotSetAgain) {
  ASSERT_TRUE(dialog.Create());
  HWND edit = dialog.Item(IDC_FOLDER_INFO_TEXT);
  SendMessageA(edit, EM_SETSEL, 5, 9);
  dialog.RefreshText();
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 5u) << "setting the text again would have reset the selection";
  EXPECT_EQ(end, 9u);
}

TEST_F(FolderInfoDialogTest, TimerInsideAWalkDoesNotNest) {
  for (int i = 0; i < 6; ++i) {
    const std::string sub = MakeFolder(cache + "sub" + std::to_string(i));
    WriteBytes(sub + "f.bin", "12345");
  }
  ASSERT_TRUE(dialog.Create());
  dialog.Show();
  int posted = 0;
  files.onFind = [&] {
    if (posted < 40 && PostMessageA(dialog.hwnd(), WM_TIMER, FolderInfoDialog::kRefreshTimer, 0)) ++posted;
  };
  files.searches.clear();
  dialog.RefreshText();
  files.onFind = nullptr;

  EXPECT_GT(posted, 5);
  EXPECT_EQ(files.SearchesOf(cache + "*.*"), 1) << "a refresh started inside the walk";
  // The walk dispatched the timer messages as it went; only the one posted
  // by the last search, after which nothing was drained, is still queued.
  int left = 0;
  MSG message;
  while (PeekMessageA(&message, dialog.hwnd(), WM_TIMER, WM_TIMER, PM_REMOVE)) ++left;
  EXPECT_LE(left, 1);
  EXPECT_EQ(Shown(), Expected());
}

TEST_F(FolderInfoDialogTest, CloseButtonHidesTheWindowAndKeepsIt) {
  ASSERT_TRUE(dialog.Create());
  ShowAndPaint(dialog.hwnd());
  SendMessageA(dialog.Item(IDC_FOLDER_INFO_CLOSE), BM_CLICK, 0, 0);
  PumpPending();
  EXPECT_TRUE(IsWindow(dialog.hwnd()));
  EXPECT_FALSE(IsWindowVisible(dialog.hwnd()));
  dialog.Show();
  EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));
}

class OwnerWindow {
 public:
  OwnerWindow() {
    hwnd = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 300, 300, 300, 400, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~OwnerWindow() { DestroyWindow(hwnd); }
  HWND hwnd;
};

TEST_F(FolderInfoDialogTest, DocksToItsOwnerWhenMovedNearIt) {
  OwnerWindow owner;  // 300..600 across, 300..700 down
  ASSERT_TRUE(dialog.Create(owner.hwnd));
  ASSERT_EQ(GetParent(dialog.hwnd()), owner.hwnd);
  ShowAndPaint(dialog.hwnd(), 0, 0);
  const RECT start = ScreenRectOf(dialog.hwnd());
  const int width = start.right - start.left;
  const int height = start.bottom - start.top;

  struct Move {
    const char* what;
    int left, top;          // where the window is moved
    int dockedLeft, dockedTop;  // where it ends up
  } moves[] = {
      {"8 below the owner docks below", 100, 708, 100, 700},
      {"9 below the owner stays", 100, 709, 100, 709},
      {"below with lefts 8 apart lines up", 308, 705, 300, 700},
      {"right edge 9 left of the owner, tops 9 apart", 300 - width - 9, 309, 300 - width, 300},
      {"right edge 10 left of the owner stays", 300 - width - 10, 309, 300 - width - 10, 309},
      {"left edge 9 right of the owner, bottoms 9 apart", 609, 700 - height - 9, 600, 700 - height},
      {"bottom 8 above the owner, lefts 9 apart", 309, 300 - height - 8, 300, 300 - height},
  };
  for (const Move& move : moves) {
    MoveWindow(dialog.hwnd(), move.left, move.top, width, height, TRUE);
    PumpPending();
    const RECT now = ScreenRectOf(dialog.hwnd());
    EXPECT_EQ(now.left, move.dockedLeft) << move.what;
    EXPECT_EQ(now.top, move.dockedTop) << move.what;
    EXPECT_EQ(now.right - now.left, width) << move.what;
    EXPECT_EQ(now.bottom - now.top, height) << move.what;
  }
}

TEST_F(FolderInfoDialogTest, DocksOnMovingToo) {
  OwnerWindow owner;
  ASSERT_TRUE(dialog.Create(owner.hwnd));
  ShowAndPaint(dialog.hwnd(), 100, 100);
  RECT window = ScreenRectOf(dialog.hwnd());
  // The owner comes to lie 5 pixels below the window; a drag step then docks.
  SetWindowPos(owner.hwnd, nullptr, window.left + 40, window.bottom + 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT proposed = window;
  SendMessageA(dialog.hwnd(), WM_MOVING, WMSZ_TOP, reinterpret_cast<LPARAM>(&proposed));
  const RECT owned = ScreenRectOf(owner.hwnd);
  const RECT now = ScreenRectOf(dialog.hwnd());
  EXPECT_EQ(now.bottom, owned.top);
  EXPECT_EQ(now.left, window.left);
}

TEST(FolderInfoWindow, LooksRightWithTheRealFolders) {
  Win32Shell shell;
  SetupData settings;
  FindSpecialFolders(shell, settings);
  FolderInfoDialog dialog;
  dialog.settings = &settings;
  ASSERT_TRUE(dialog.Create());
  ShowAndPaint(dialog.hwnd(), 20, 20);
  const Capture capture(dialog.hwnd());
  ASSERT_TRUE(capture.SaveBmp(ScratchFolder() + "folder_info.bmp"));

  EXPECT_EQ(capture.At(0, 0), RGB(0xCD, 0xCD, 0xCD));
  EXPECT_EQ(capture.At(3, 3), RGB(0x33, 0x33, 0x33));
  EXPECT_EQ(capture.At(4, 4), RGB(0x06, 0x06, 0x06));
  EXPECT_EQ(capture.At(10, capture.Height() / 2), RGB(0xFF, 0xC5, 0xFF));
  EXPECT_EQ(capture.At(20, capture.Height() / 2), RGB(0xFF, 0x00, 0xFF));
  EXPECT_EQ(capture.At(capture.Width() / 2, 22), RGB(0xFF, 0x00, 0xFF));
  EXPECT_EQ(capture.At(capture.Width() / 2, capture.Height() - 23), RGB(0xFF, 0x00, 0xFF));
  EXPECT_EQ(capture.At(capture.Width() - 21, capture.Height() / 2), RGB(0xFF, 0x00, 0xFF));
  EXPECT_EQ(capture.At(21, 23), RGB(0xF8, 0xFB, 0xFB));

  HWND title = dialog.Item(IDC_FOLDER_INFO_TITLE);
  RECT titleRect;
  GetClientRect(title, &titleRect);
  EXPECT_GT(capture.Count(title, titleRect, RGB(0x33, 0x99, 0xCC)), 10) << "title text colour";
  EXPECT_EQ(capture.Count(title, titleRect, RGB(0xFF, 0xFF, 0xFF)), 0) << "title background";

  HWND edit = dialog.Item(IDC_FOLDER_INFO_TEXT);
  EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "the text starts scrolled";
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, end) << "the text shows selected";
  const std::string text = TextOf(edit);
  EXPECT_NE(text.find("캐시 폴더: " + settings.cacheFolder + "\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("휴지통 크기: "), std::string::npos) << text;
}

}  // namespace
}  // namespace vantrel
