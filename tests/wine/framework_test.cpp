// The dialog framework on real windows: modal loops and their keys, modeless
// dialogs, dispatch to the named handlers, reflection to attached controls
// and the drag rule.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "controls/color_label.h"
#include "framework/dialog.h"
#include "framework/drag.h"
#include "framework/tooltip.h"
#include "program_driving.h"
#include "resource.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr UINT kEndWith = WM_APP + 1;  // wParam: the result

// A dialog on the gallery template that records what reaches its handlers.
class ProbeDialog : public Dialog {
 public:
  ProbeDialog() : Dialog(IDD_CONTROL_GALLERY) {}

  bool swallowEnterAndEscape = false;
  std::vector<UINT> postOnInit;  // key codes posted to the edit at start
  bool closeOnInit = false;
  HWND ownerDuringRun = nullptr;
  bool ownerEnabledDuringRun = true;

  std::vector<std::string> events;
  std::vector<std::string> colourRequests;  // the ones that reached OnCtlColor
  std::vector<LPARAM> captionPresses;
  ColorLabel label;
  HBRUSH ownBrush = CreateSolidBrush(RGB(1, 2, 3));
  ~ProbeDialog() override { DeleteObject(ownBrush); }

 protected:
  void BindControls() override {
    events.push_back("bind");
    Bind(label, IDC_GALLERY_LABEL);
  }
  BOOL OnInitDialog() override {
    events.push_back("init");
    label.SetColours(RGB(0x33, 0x99, 0xCC), RGB(0xFF, 0xFF, 0xFF));
    if (ownerDuringRun != nullptr) ownerEnabledDuringRun = IsWindowEnabled(ownerDuringRun) != FALSE;
    HWND edit = Item(IDC_GALLERY_EDIT);
    SetFocus(edit);
    for (UINT key : postOnInit) PostMessageA(edit, WM_KEYDOWN, key, 0);
    if (closeOnInit) PostMessageA(hwnd(), WM_CLOSE, 0, 0);
    if (!postOnInit.empty() || closeOnInit) PostMessageA(hwnd(), kEndWith, 42, 0);
    return FALSE;
  }
  void OnOK() override {
    events.push_back("ok");
    Dialog::OnOK();
  }
  void OnCancel() override {
    events.push_back("cancel");
    Dialog::OnCancel();
  }
  bool PreTranslateMessage(MSG& message) override {
    if (swallowEnterAndEscape && message.message == WM_KEYDOWN &&
        (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
      events.push_back(message.wParam == VK_RETURN ? "swallowed enter" : "swallowed escape");
      return true;
    }
    return false;
  }
  bool OnClicked(int id) override {
    if (id != IDC_GALLERY_HOVER_NORMAL) return false;
    events.push_back("clicked " + std::to_string(id));
    return true;
  }
  bool OnTimer(UINT_PTR id) override {
    events.push_back("timer " + std::to_string(id));
    return true;
  }
  HBRUSH OnCtlColor(HDC, HWND control, int kind) override {
    if (control != hwnd()) {
      colourRequests.push_back(std::to_string(GetDlgCtrlID(control)) + " kind " + std::to_string(kind));
    }
    return ownBrush;
  }
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case kEndWith:
        EndDialog(static_cast<INT_PTR>(wParam));
        return 0;
      case WM_NCLBUTTONDOWN:
        // Recorded instead of starting the system's move loop.
        if (wParam == HTCAPTION) captionPresses.push_back(lParam);
        return 0;
      default:
        return Dialog::OnMessage(message, wParam, lParam);
    }
  }
};

TEST(ModalDialog, EnterAndEscapeCloseItThroughItsOwnLoop) {
  struct Case {
    UINT key;
    INT_PTR result;
    const char* handler;
  } cases[] = {{VK_RETURN, IDOK, "ok"}, {VK_ESCAPE, IDCANCEL, "cancel"}};
  for (const Case& c : cases) {
    ProbeDialog dialog;
    dialog.postOnInit = {c.key};
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"bind", "init", c.handler}));
    EXPECT_EQ(dialog.hwnd(), nullptr) << "DoModal destroys the window";
  }
}

TEST(ModalDialog, PreTranslateMessageSwallowsEnterAndEscape) {
  ProbeDialog dialog;
  dialog.swallowEnterAndEscape = true;
  dialog.postOnInit = {VK_RETURN, VK_ESCAPE};
  EXPECT_EQ(dialog.DoModal(), 42);
  EXPECT_EQ(dialog.events, (std::vector<std::string>{"bind", "init", "swallowed enter", "swallowed escape"}));
}

TEST(ModalDialog, CloseIsCancel) {
  ProbeDialog dialog;
  dialog.closeOnInit = true;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.events, (std::vector<std::string>{"bind", "init", "cancel"}));
}

TEST(ModalDialog, DisablesItsOwnerWhileItRuns) {
  ProbeDialog owner;
  ASSERT_TRUE(owner.Create());
  ShowAndPaint(owner.hwnd());
  ProbeDialog dialog;
  dialog.ownerDuringRun = owner.hwnd();
  dialog.closeOnInit = true;
  EXPECT_EQ(dialog.DoModal(owner.hwnd()), IDCANCEL);
  EXPECT_FALSE(dialog.ownerEnabledDuringRun);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  owner.Destroy();
}

TEST(ModalDialog, CloseSentFromAnotherThreadEndsTheLoop) {
  // The update check ends the main window this way: the WM_CLOSE arrives as
  // a sent message while the loop waits in GetMessage.
  class SentClose : public ProbeDialog {
   protected:
    BOOL OnInitDialog() override {
      HWND window = hwnd();
      std::thread([window] { SendMessageA(window, WM_CLOSE, 0, 0); }).detach();
      return TRUE;
    }
  } dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.events, (std::vector<std::string>{"bind", "cancel"}));
}

TEST(ModelessDialog, IsCreatedOnceShownAndHidden) {
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND window = dialog.hwnd();
  EXPECT_FALSE(IsWindowVisible(window)) << "the template has no WS_VISIBLE";
  EXPECT_TRUE(dialog.Create()) << "a second Create keeps the window";
  EXPECT_EQ(dialog.hwnd(), window);

  dialog.Show();
  EXPECT_TRUE(IsWindowVisible(window));
  // Escape through the queue: the framework's pre-translation hands it to
  // the dialog manager, which cancels; a modeless dialog hides on ending.
  SetFocus(dialog.Item(IDC_GALLERY_EDIT));
  PostMessageA(dialog.Item(IDC_GALLERY_EDIT), WM_KEYDOWN, VK_ESCAPE, 0);
  PumpPending();
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(dialog.events, (std::vector<std::string>{"bind", "init", "cancel"}));

  dialog.Show();
  EXPECT_TRUE(IsWindowVisible(window));
  dialog.Destroy();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(dialog.hwnd(), nullptr);
  EXPECT_EQ(dialog.label.hwnd(), nullptr) << "controls are detached with their window";
}

TEST(Dispatch, ClicksAndTimersReachTheirHandlers) {
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND button = dialog.Item(IDC_GALLERY_HOVER_NORMAL);
  SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_GALLERY_HOVER_NORMAL, BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  // A click nobody handles and a notification other than a click change nothing.
  SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_GALLERY_HOVER_HOVERED, BN_CLICKED), 0);
  SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_GALLERY_HOVER_NORMAL, BN_SETFOCUS),
               reinterpret_cast<LPARAM>(button));
  PostMessageA(dialog.hwnd(), WM_TIMER, 7, 0);
  PumpPending();
  EXPECT_EQ(dialog.events, (std::vector<std::string>{"bind", "init", "clicked 3001", "timer 7"}));
}

TEST(Reflection, ColourRequestGoesToTheAttachedControlFirst) {
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HDC dc = GetDC(dialog.hwnd());
  SetBkMode(dc, OPAQUE);
  SetTextColor(dc, RGB(9, 9, 9));

  auto request = [&](UINT message, int id) {
    return reinterpret_cast<HBRUSH>(SendMessageA(dialog.hwnd(), message, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(dialog.Item(id))));
  };
  dialog.colourRequests.clear();
  HBRUSH labelBrush = request(WM_CTLCOLORSTATIC, IDC_GALLERY_LABEL);
  ASSERT_NE(labelBrush, nullptr);
  EXPECT_TRUE(dialog.colourRequests.empty()) << "the label answered; the dialog was not asked";
  EXPECT_NE(labelBrush, dialog.ownBrush);
  LOGBRUSH brush = {};
  GetObjectA(labelBrush, sizeof brush, &brush);
  EXPECT_EQ(brush.lbColor, RGB(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(GetTextColor(dc), RGB(0x33, 0x99, 0xCC));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(request(WM_CTLCOLORSTATIC, IDC_GALLERY_LABEL), labelBrush) << "one brush, not one per request";

  // The label declines the button kind; a control without an object goes
  // straight to the dialog's own handler.
  dialog.colourRequests.clear();
  EXPECT_EQ(request(WM_CTLCOLORBTN, IDC_GALLERY_LABEL), dialog.ownBrush);
  EXPECT_EQ(request(WM_CTLCOLORSTATIC, IDC_GALLERY_CHECK), dialog.ownBrush);
  EXPECT_EQ(dialog.colourRequests, (std::vector<std::string>{"3021 kind 3", "3022 kind 6"}));
  ReleaseDC(dialog.hwnd(), dc);
}

TEST(Drag, LeftButtonMovePressesTheCaptionAtTheScreenPoint) {
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.Create());
  ShowAndPaint(dialog.hwnd(), 100, 80);
  POINT origin{0, 0};
  ClientToScreen(dialog.hwnd(), &origin);

  PostMessageA(dialog.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 40));
  PumpPending();
  EXPECT_TRUE(dialog.captionPresses.empty()) << "no drag without the left button";

  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  PostMessageA(dialog.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 40));
  PumpPending();
  ASSERT_EQ(dialog.captionPresses.size(), 1u);
  EXPECT_EQ(dialog.captionPresses[0], MAKELPARAM(origin.x + 50, origin.y + 40));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_CROSS));
}

TEST(Drag, TheWindowChoosesItsCursor) {
  HCURSOR own = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_MOVE));
  ASSERT_NE(own, nullptr);
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.Create());
  EXPECT_TRUE(DragByFreeArea(dialog.hwnd(), MK_LBUTTON, POINT{3, 4}, own));
  EXPECT_EQ(GetCursor(), own);
  EXPECT_FALSE(DragByFreeArea(dialog.hwnd(), MK_RBUTTON, POINT{3, 4}, own));
  PumpPending();
  EXPECT_EQ(dialog.captionPresses.size(), 1u);
}

TEST(Dispatch, CreateArrivesBeforeTheControlsAreBound) {
  class CreateProbe : public ProbeDialog {
   public:
    std::vector<std::string> order;
   protected:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == WM_CREATE) order.push_back("create");
      if (message == WM_INITDIALOG) order.push_back("initdialog");
      return ProbeDialog::OnMessage(message, wParam, lParam);
    }
  } dialog;
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(dialog.order, (std::vector<std::string>{"create", "initdialog"}));
}

// Answers the message boxes titled "ERROR" that this program shows, as a
// user would, and records their texts. It only looks at the windows of this
// program, and reads their titles without sending a message: the main thread
// does not answer while it waits for this one to stop.
class ErrorBoxAnswerer {
 public:
  ErrorBoxAnswerer()
      : thread_([this] {
          while (!stop_) {
            if (HWND box = VisibleMessageBox("ERROR", nullptr)) {
              texts_.push_back(MessageBoxText(box));
              PostMessageA(box, WM_COMMAND, IDOK, 0);
              WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
            }
            Sleep(20);
          }
        }) {}
  ~ErrorBoxAnswerer() { Texts(); }
  const std::vector<std::string>& Texts() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return texts_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::vector<std::string> texts_;
  std::thread thread_;
};

const std::vector<std::string> kOneFailureMessage = {"프로그램 오류로 이 창을 닫습니다."};

// A dialog whose handler for one message throws, as a failed allocation would.
class ThrowingDialog : public ProbeDialog {
 public:
  explicit ThrowingDialog(UINT throwOn) : throwOn_(throwOn) {}
  int throws = 0;
  bool postTimerOnInit = false;  // a WM_TIMER waits in the queue for the loop

 protected:
  BOOL OnInitDialog() override {
    if (postTimerOnInit) PostMessageA(hwnd(), WM_TIMER, 3, 0);
    return ProbeDialog::OnInitDialog();
  }
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == throwOn_) {
      ++throws;
      throw std::bad_alloc();
    }
    return ProbeDialog::OnMessage(message, wParam, lParam);
  }

 private:
  UINT throwOn_;
};

TEST(FailedHandler, AModalDialogSaysSoAndEndsWithMinusOne) {
  for (UINT throwOn : {static_cast<UINT>(WM_INITDIALOG), static_cast<UINT>(WM_TIMER)}) {
    SCOPED_TRACE(throwOn);
    ErrorBoxAnswerer answerer;
    ThrowingDialog dialog(throwOn);
    // The timer handler throws once the loop runs.
    dialog.postTimerOnInit = throwOn == WM_TIMER;
    HWND owner = CreateWindowA("STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(dialog.DoModal(owner), -1);
    EXPECT_EQ(dialog.hwnd(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner)) << "the owner got its input back";
    EXPECT_EQ(dialog.throws, 1);
    EXPECT_EQ(answerer.Texts(), kOneFailureMessage);
    DestroyWindow(owner);
  }
}

TEST(FailedHandler, AModelessDialogSaysSoAndIsDestroyed) {
  {
    ErrorBoxAnswerer answerer;
    ThrowingDialog dialog(WM_INITDIALOG);
    EXPECT_FALSE(dialog.Create()) << "a window half made is not made";
    EXPECT_EQ(dialog.hwnd(), nullptr);
    EXPECT_EQ(answerer.Texts(), kOneFailureMessage);
  }
  {
    ErrorBoxAnswerer answerer;
    ThrowingDialog dialog(WM_TIMER);
    ASSERT_TRUE(dialog.Create());
    HWND window = dialog.hwnd();
    PostMessageA(window, WM_TIMER, 3, 0);
    PostMessageA(window, WM_TIMER, 4, 0);
    WaitUntil([&] {
      PumpPending();
      return !IsWindow(window);
    }, 10000);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.hwnd(), nullptr);
    EXPECT_EQ(answerer.Texts(), kOneFailureMessage) << "one message, however many handlers fail";
  }
}

TEST(FailedHandler, AFailedCreationMakesNoWindow) {
  ErrorBoxAnswerer answerer;
  ThrowingDialog dialog(WM_CREATE);
  EXPECT_FALSE(dialog.Create());
  EXPECT_EQ(dialog.hwnd(), nullptr);
  EXPECT_EQ(dialog.events, std::vector<std::string>{}) << "no controls bound, no initialisation";
  EXPECT_EQ(answerer.Texts(), kOneFailureMessage);
}

TEST(FailedHandler, AThrowWhileTheWindowGoesOnlyEndsThatHandler) {
  ErrorBoxAnswerer answerer;
  ThrowingDialog dialog(WM_DESTROY);
  ASSERT_TRUE(dialog.Create());
  HWND window = dialog.hwnd();
  dialog.Destroy();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(dialog.hwnd(), nullptr);
  EXPECT_EQ(dialog.throws, 1);
  EXPECT_TRUE(answerer.Texts().empty());
}

TEST(ToolTip, RegistersControlsAndTakesRelayedMessages) {
  ProbeDialog dialog;
  ASSERT_TRUE(dialog.Create());
  ToolTip tip;
  ASSERT_TRUE(tip.Create(dialog.hwnd()));
  EXPECT_TRUE(tip.AddTool(dialog.Item(IDC_GALLERY_HOVER_NORMAL), "메뉴 버튼."));
  EXPECT_TRUE(tip.AddTool(dialog.Item(IDC_GALLERY_CLEAN), "종료!"));
  EXPECT_EQ(SendMessageA(tip.hwnd(), TTM_GETTOOLCOUNT, 0, 0), 2);

  TOOLINFOA tool = {};
  char text[80] = {};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.hwnd = dialog.hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(dialog.Item(IDC_GALLERY_HOVER_NORMAL));
  tool.lpszText = text;
  SendMessageA(tip.hwnd(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, "메뉴 버튼.");

  MSG move = {dialog.Item(IDC_GALLERY_HOVER_NORMAL), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3), 0, {0, 0}};
  tip.RelayEvent(move);  // must not disturb the message or the window
  EXPECT_EQ(move.message, static_cast<UINT>(WM_MOUSEMOVE));
  HWND tipWindow = tip.hwnd();
  dialog.Destroy();
  EXPECT_FALSE(IsWindow(tipWindow)) << "the tooltip goes with its owner";
}

}  // namespace
}  // namespace vantrel
