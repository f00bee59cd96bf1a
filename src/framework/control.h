#pragma once
// A control object attached to an existing child window (usually a dialog
// item) by subclassing. The dialog forwards the messages a control sends to
// its parent about itself (colour requests, owner draw, measure, notify) to
// the attached object first; the object declines by returning null/false.

#include <windows.h>

#include <optional>

#include "framework/message_target.h"

namespace vantrel {

class Dialog;

class Control : public MessageTarget {
 public:
  Control() = default;
  ~Control() override;

  // Subclasses dialog item id of dialog. False when there is no such item
  // or the object is attached already.
  bool Attach(HWND dialog, int id);
  bool Attach(HWND control);
  // Takes the subclass away again; also done when the window is destroyed.
  void Detach();

  HWND hwnd() const { return hwnd_; }
  int Id() const;

  // The attached object of a window, or null.
  static Control* FromHandle(HWND window);

 protected:
  // Called once the subclass is in place.
  virtual void OnAttached() {}
  // The control's own messages; std::nullopt passes one on to the control's
  // original procedure.
  virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The original procedure, for handlers that run it before or after their own work.
  LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);

  // Reflected from the parent. kind is CTLCOLOR_EDIT, CTLCOLOR_STATIC, ...
  virtual HBRUSH OnReflectedCtlColor(HDC dc, int kind);
  virtual bool OnReflectedDrawItem(DRAWITEMSTRUCT& item);
  virtual bool OnReflectedMeasureItem(MEASUREITEMSTRUCT& item);
  virtual std::optional<LRESULT> OnReflectedNotify(NMHDR& header);

  void Invalidate(bool erase);

 private:
  friend class Dialog;
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  HWND hwnd_ = nullptr;
};

}  // namespace vantrel
