#include "framework/control.h"

#include <commctrl.h>

namespace vantrel {

namespace {
constexpr UINT_PTR kSubclassId = 0x5641;  // one subclass of ours per control
}

Control::~Control() { Detach(); }

bool Control::Attach(HWND dialog, int id) { return Attach(GetDlgItem(dialog, id)); }

bool Control::Attach(HWND control) {
  if (control == nullptr || hwnd_ != nullptr || MessageTarget::FromHandle(control) != nullptr) return false;
  if (!SetWindowSubclass(control, &Control::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    return false;
  }
  hwnd_ = control;
  Register(control, this);
  OnAttached();
  return true;
}

void Control::Detach() {
  if (hwnd_ == nullptr) return;
  RemoveWindowSubclass(hwnd_, &Control::SubclassProc, kSubclassId);
  Unregister(hwnd_);
  hwnd_ = nullptr;
}

int Control::Id() const { return hwnd_ != nullptr ? GetDlgCtrlID(hwnd_) : 0; }

Control* Control::FromHandle(HWND window) { return dynamic_cast<Control*>(MessageTarget::FromHandle(window)); }

std::optional<LRESULT> Control::OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

LRESULT Control::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hwnd_, message, wParam, lParam);
}

HBRUSH Control::OnReflectedCtlColor(HDC, int) { return nullptr; }
bool Control::OnReflectedDrawItem(DRAWITEMSTRUCT&) { return false; }
bool Control::OnReflectedMeasureItem(MEASUREITEMSTRUCT&) { return false; }
std::optional<LRESULT> Control::OnReflectedNotify(NMHDR&) { return std::nullopt; }

void Control::Invalidate(bool erase) {
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, erase ? TRUE : FALSE);
}

LRESULT CALLBACK Control::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data) {
  auto* self = reinterpret_cast<Control*>(data);
  if (message == WM_NCDESTROY) {
    self->Detach();
    return DefSubclassProc(window, message, wParam, lParam);
  }
  try {
    if (std::optional<LRESULT> result = self->OnMessage(message, wParam, lParam)) return *result;
  } catch (...) {
    // Nothing may unwind into the system's dispatcher; the control just
    // behaves as the plain system control for this message.
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace vantrel
