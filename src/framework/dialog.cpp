#include "framework/dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include "framework/drag.h"

namespace vantrel {

namespace {

// The dialog being created on this thread: its procedure sees messages
// (WM_SETFONT, WM_CREATE) before WM_INITDIALOG brings the parameter.
thread_local Dialog* creating = nullptr;
// The dialog procedure never sees WM_CREATE: a creation hook subclasses the
// new dialog window for that one message.
thread_local HHOOK creationHook = nullptr;
thread_local bool creationSeen = false;
constexpr UINT_PTR kCreationSubclassId = 0x5643;

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && creating != nullptr && !creationSeen) {
    creationSeen = true;
    SetWindowSubclass(reinterpret_cast<HWND>(wParam), &Dialog::CreationSubclass, kCreationSubclassId,
                      reinterpret_cast<DWORD_PTR>(creating));
  }
  return CallNextHookEx(creationHook, code, wParam, lParam);
}

constexpr char kHandlerFailedText[] = "프로그램 오류로 이 창을 닫습니다.";
constexpr char kHandlerFailedCaption[] = "ERROR";

// Static texts only: the failure may be a failed allocation.
void SayHandlerFailed(HWND owner) {
  MessageBoxA(owner, kHandlerFailedText, kHandlerFailedCaption, MB_OK | MB_ICONHAND);
}

// One creation on this thread. A dialog may create another in its
// OnInitDialog: the inner creation keeps its own hook and gives the outer
// one its state back, so each removes exactly the hook it set.
class CreationScope {
 public:
  explicit CreationScope(Dialog* dialog)
      : outerCreating_(creating), outerSeen_(creationSeen), outerHook_(creationHook) {
    creating = dialog;
    creationSeen = false;
    hook_ = SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, GetCurrentThreadId());
    creationHook = hook_;
  }
  ~CreationScope() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    creating = outerCreating_;
    creationSeen = outerSeen_;
    creationHook = outerHook_;
  }
  CreationScope(const CreationScope&) = delete;
  CreationScope& operator=(const CreationScope&) = delete;

 private:
  Dialog* outerCreating_;
  bool outerSeen_;
  HHOOK outerHook_;
  HHOOK hook_ = nullptr;
};

void InitCommonControlsOnce() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)done;
}

bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return false;
  }
}

}  // namespace

Dialog::Dialog(int templateId) : templateId_(templateId) {}

// A window ends while its whole object exists: DoModal destroys it before
// returning, a modeless one goes with its parent or by Destroy, and the end
// handlers (OnDestroy) run then. A window still here has outlived the
// derived part of its object: it is unbound first, so none of its last
// messages reach what is left of the object.
Dialog::~Dialog() {
  if (hwnd_ == nullptr) return;
  HWND window = hwnd_;
  Unregister(window);
  hwnd_ = nullptr;
  DestroyWindow(window);
}

Dialog* Dialog::FromHandle(HWND window) { return dynamic_cast<Dialog*>(MessageTarget::FromHandle(window)); }

bool Dialog::Create(HWND parent) {
  if (hwnd_ != nullptr) return true;
  modal_ = false;
  return CreateFromTemplate(parent);
}

bool Dialog::CreateFromTemplate(HWND parent) {
  InitCommonControlsOnce();
  ending_ = false;
  failed_ = false;
  HWND window = nullptr;
  {
    CreationScope scope(this);
    window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent, &Dialog::Thunk,
                                reinterpret_cast<LPARAM>(this));
  }
  return window != nullptr && hwnd_ == window;
}

INT_PTR Dialog::DoModal(HWND owner) {
  if (hwnd_ != nullptr) return -1;
  if (owner == nullptr) owner = GetActiveWindow();
  if (owner != nullptr) owner = GetAncestor(owner, GA_ROOT);
  const bool enableOwner = owner != nullptr && IsWindowEnabled(owner);
  if (enableOwner) EnableWindow(owner, FALSE);

  result_ = -1;
  modal_ = true;
  if (CreateFromTemplate(owner)) {
    if (!ending_ && hwnd_ != nullptr && !IsWindowVisible(hwnd_)) {
      ShowWindow(hwnd_, SW_SHOWNORMAL);
      UpdateWindow(hwnd_);
    }
    RunModalLoop();
  }

  // Hide first, then give the owner back its input, then destroy: the
  // system would otherwise activate some other window in between.
  if (hwnd_ != nullptr) {
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (enableOwner) EnableWindow(owner, TRUE);
  if (owner != nullptr && hwnd_ != nullptr && GetActiveWindow() == hwnd_) SetActiveWindow(owner);
  Destroy();
  modal_ = false;
  return result_;
}

void Dialog::RunModalLoop() {
  MSG message;
  while (!ending_ && hwnd_ != nullptr) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // WM_QUIT belongs to the outermost loop: leave it in the queue for it.
      PostQuitMessage(static_cast<int>(message.wParam));
      result_ = -1;
      break;
    }
    if (PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Dialog::EndDialog(INT_PTR result) {
  result_ = result;
  if (modal_) {
    ending_ = true;
    // Wakes the loop when this runs inside a sent message (another
    // thread's SendMessage) that GetMessage handles without returning.
    if (hwnd_ != nullptr) PostMessageA(hwnd_, WM_NULL, 0, 0);
  } else if (hwnd_ != nullptr) {
    ShowWindow(hwnd_, SW_HIDE);
  }
}

void Dialog::Destroy() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool Dialog::Show(int command) { return hwnd_ != nullptr && ShowWindow(hwnd_, command) != FALSE; }

bool Dialog::TranslateDialogKeys(MSG& message) { return hwnd_ != nullptr && IsDialogMessageA(hwnd_, &message); }

LRESULT CALLBACK Dialog::CreationSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR data) {
  if (message != WM_CREATE && message != WM_NCDESTROY) return DefSubclassProc(window, message, wParam, lParam);
  RemoveWindowSubclass(window, &Dialog::CreationSubclass, id);
  // The system's creation first, then ours (-1 from either fails it).
  const LRESULT created = DefSubclassProc(window, message, wParam, lParam);
  if (message != WM_CREATE || created == -1) return created;
  auto* self = reinterpret_cast<Dialog*>(data);
  if (self->hwnd_ == nullptr) {
    self->Bound(window);
    creating = nullptr;
  }
  try {
    if (std::optional<LRESULT> result = self->OnMessage(message, wParam, lParam)) return *result;
  } catch (...) {
    // Nothing unwinds into the system; a window whose creation failed half
    // way is not created.
    SayHandlerFailed(GetWindow(window, GW_OWNER));
    self->failed_ = true;
    // The system destroys the window before our procedure is in place.
    Unregister(window);
    self->hwnd_ = nullptr;
    return -1;
  }
  return created;
}

void Dialog::Bound(HWND window) {
  hwnd_ = window;
  Register(window, this);
}

INT_PTR CALLBACK Dialog::Thunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<Dialog*>(MessageTarget::FromHandle(window));
  if (self == nullptr) {
    if (message == WM_INITDIALOG) {
      self = reinterpret_cast<Dialog*>(lParam);
    } else {
      self = creating;
    }
    if (self == nullptr) return FALSE;
    creating = nullptr;
    self->Bound(window);
  }
  INT_PTR answer = FALSE;
  try {
    answer = self->Deliver(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind into the system's dialog manager.
    self->EndAfterFailedHandler(message);
    answer = FALSE;
  }
  if (message == WM_NCDESTROY) {
    Unregister(window);
    self->hwnd_ = nullptr;
    self->ending_ = true;
  }
  return answer;
}

void Dialog::EndAfterFailedHandler(UINT message) {
  if (failed_ || message == WM_DESTROY || message == WM_NCDESTROY || hwnd_ == nullptr) return;
  failed_ = true;
  SayHandlerFailed(hwnd_);
  if (modal_) {
    EndDialog(-1);
  } else {
    Destroy();
  }
}

INT_PTR Dialog::Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) BindControls();
  std::optional<LRESULT> result = OnMessage(message, wParam, lParam);
  if (!result) return FALSE;
  if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(*result);
  if (hwnd_ != nullptr) SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, *result);
  return TRUE;
}

std::optional<LRESULT> Dialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
      return std::nullopt;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_TIMER:
      if (OnTimer(wParam)) return 0;
      return std::nullopt;
    case WM_PAINT:
      if (OnPaint()) return 0;
      return std::nullopt;
    case WM_MOUSEMOVE:
      if (OnMouseMove(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) return 0;
      return std::nullopt;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      const int kind = static_cast<int>(message - WM_CTLCOLORMSGBOX);
      auto dc = reinterpret_cast<HDC>(wParam);
      auto control = reinterpret_cast<HWND>(lParam);
      HBRUSH brush = nullptr;
      if (Control* object = Control::FromHandle(control)) brush = object->OnReflectedCtlColor(dc, kind);
      if (brush == nullptr) brush = OnCtlColor(dc, control, kind);
      if (brush == nullptr) return std::nullopt;
      return reinterpret_cast<LRESULT>(brush);
    }
    case WM_DRAWITEM: {
      auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_MENU) {
        if (Control* object = Control::FromHandle(item.hwndItem)) {
          if (object->OnReflectedDrawItem(item)) return TRUE;
        }
      }
      if (OnDrawItem(static_cast<int>(wParam), item)) return TRUE;
      return std::nullopt;
    }
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_MENU) {
        if (Control* object = Control::FromHandle(GetDlgItem(hwnd_, static_cast<int>(item.CtlID)))) {
          if (object->OnReflectedMeasureItem(item)) return TRUE;
        }
      }
      if (OnMeasureItem(static_cast<int>(wParam), item)) return TRUE;
      return std::nullopt;
    }
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lParam);
      if (Control* object = Control::FromHandle(header.hwndFrom)) {
        if (std::optional<LRESULT> result = object->OnReflectedNotify(header)) return result;
      }
      return OnNotify(static_cast<int>(wParam), header);
    }
    case WM_DESTROY:
      OnDestroy();
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

bool Dialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED && code != 1) return false;
  if (OnClicked(id)) return true;
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

bool Dialog::OnClicked(int) { return false; }
bool Dialog::OnTimer(UINT_PTR) { return false; }
bool Dialog::OnPaint() { return false; }

bool Dialog::OnMouseMove(UINT keys, POINT point) { return DragByFreeArea(hwnd_, keys, point, DragCursor()); }

HCURSOR Dialog::DragCursor() const { return LoadCursor(nullptr, IDC_CROSS); }

HBRUSH Dialog::OnCtlColor(HDC, HWND, int) { return nullptr; }
bool Dialog::OnDrawItem(int, DRAWITEMSTRUCT&) { return false; }
bool Dialog::OnMeasureItem(int, MEASUREITEMSTRUCT&) { return false; }
std::optional<LRESULT> Dialog::OnNotify(int, NMHDR&) { return std::nullopt; }

void Dialog::OnClose() { OnCommand(IDCANCEL, BN_CLICKED, GetDlgItem(hwnd_, IDCANCEL)); }

}  // namespace vantrel
