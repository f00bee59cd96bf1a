#pragma once
// Dialog windows made from dialog templates of the program's resources.
//
// How to build a window on this class:
//
//   class ProgressDialog : public vantrel::Dialog {
//    public:
//     enum { IDD = 156 };                       // template id, from resource.h
//     ProgressDialog() : Dialog(IDD) {}
//    protected:
//     void BindControls() override {            // runs just before OnInitDialog
//       Bind(countLabel, 1095);                 // attaches the control objects
//       Bind(categoryBar, 1056);                //   in the order you need
//     }
//     BOOL OnInitDialog() override { ...; return TRUE; }
//     bool OnClicked(int id) override {         // BN_CLICKED and menu commands
//       if (id != 1097) return false;           // false: not mine, framework goes on
//       PlayClickSound(); Hide(); return true;
//     }
//     bool OnPaint() override {                 // true: painted, no default
//       PaintDC dc(hwnd()); RECT r; GetClientRect(hwnd(), &r);
//       PaintPanel(dc.get(), r, RGB(0xFF, 0xC5, 0xFF)); return true;
//     }
//     std::optional<LRESULT> OnMessage(UINT m, WPARAM w, LPARAM l) override {
//       switch (m) {                            // messages without a named handler
//         case WM_MOVE: ...; return 0;
//         default: return Dialog::OnMessage(m, w, l);
//       }
//     }
//    private:
//     vantrel::ColorLabel countLabel;
//     vantrel::GradientProgress categoryBar;
//   };
//
// Modal:    SettingsDialog dialog(...); INT_PTR r = dialog.DoModal(owner);
//           (own message loop; the owner is disabled meanwhile; the window is
//           destroyed when DoModal returns with the EndDialog result)
// Modeless: progressWindow.Create(parent); progressWindow.Show(); ...Hide();
//           (created once; lives until Destroy or until its parent goes)
//
// Handlers return false / nullptr / std::nullopt for "not handled": the
// system's dialog processing then applies. OnOK (IDOK, Enter), OnCancel
// (IDCANCEL, Escape, WM_CLOSE) end the dialog; for a modeless dialog ending
// means hiding. WM_MOUSEMOVE with the left button held drags the window
// (override DragCursor for another cursor, OnMouseMove to opt out).
// WM_CREATE reaches OnMessage too (after the system's own creation; return
// -1 to fail it), before the controls exist and before OnInitDialog.
// PreTranslateMessage sees every queued message for the window and its
// children before IsDialogMessage; return true to swallow one.
//
// Handlers must not throw (a failed allocation aside). Nothing unwinds into
// the system: a handler that throws anyway leaves its window half done, so
// the window says so in a message box and ends (a modal dialog with -1, a
// modeless one is destroyed, one being created is not created) rather than
// living on half built. A throw while the window is already going only
// ends that handler.

#include <windows.h>

#include <optional>

#include "framework/control.h"
#include "framework/message_target.h"

namespace vantrel {

class Dialog : public MessageTarget {
 public:
  explicit Dialog(int templateId);
  ~Dialog() override;

  // Runs the dialog modally in its own message loop; returns the value given
  // to EndDialog, or -1 when the window could not be created (or WM_QUIT
  // arrived). owner null: the active window of this thread.
  INT_PTR DoModal(HWND owner = nullptr);
  // Creates the dialog modelessly (shown only if the template says
  // WS_VISIBLE). True when the window exists afterwards.
  bool Create(HWND parent = nullptr);
  // Ends the modal loop with result; a modeless dialog is hidden instead.
  void EndDialog(INT_PTR result);
  void Destroy();

  bool Show(int command = SW_SHOW);
  void Hide() { Show(SW_HIDE); }

  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  int TemplateId() const { return templateId_; }
  bool IsModal() const { return modal_; }

  static Dialog* FromHandle(HWND window);

  // Delivers WM_CREATE of a dialog being created to its OnMessage (after
  // the system's creation). For the framework's creation hook only.
  static LRESULT CALLBACK CreationSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR data);

 protected:
  // Attach the control objects here (Bind); called right before OnInitDialog.
  virtual void BindControls() {}
  bool Bind(Control& control, int id) { return control.Attach(hwnd_, id); }

  // TRUE lets the system set the focus to the first control.
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  // The one switch of the window. Override it for messages without a named
  // handler below and call Dialog::OnMessage for the rest.
  virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // WM_COMMAND. The default sends BN_CLICKED (and menu and accelerator
  // commands) to OnClicked, then IDOK to OnOK and IDCANCEL to OnCancel.
  virtual bool OnCommand(int id, int code, HWND control);
  virtual bool OnClicked(int id);
  virtual bool OnTimer(UINT_PTR id);
  virtual bool OnPaint();
  // Default: the drag rule of the caption-less windows.
  virtual bool OnMouseMove(UINT keys, POINT point);
  virtual HCURSOR DragCursor() const;
  // WM_CTLCOLOR* that the attached control declined; kind CTLCOLOR_*.
  virtual HBRUSH OnCtlColor(HDC dc, HWND control, int kind);
  // Owner draw of items without a control object that draws them (menus).
  virtual bool OnDrawItem(int id, DRAWITEMSTRUCT& item);
  virtual bool OnMeasureItem(int id, MEASUREITEMSTRUCT& item);
  virtual std::optional<LRESULT> OnNotify(int id, NMHDR& header);
  // Default: IDCANCEL as if its button were clicked.
  virtual void OnClose();
  virtual void OnDestroy() {}

  bool TranslateDialogKeys(MSG& message) override;

 private:
  static INT_PTR CALLBACK Thunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Deliver(UINT message, WPARAM wParam, LPARAM lParam);
  void EndAfterFailedHandler(UINT message);
  void Bound(HWND window);
  bool CreateFromTemplate(HWND parent);
  void RunModalLoop();

  int templateId_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
  bool ending_ = false;
  bool failed_ = false;
  INT_PTR result_ = -1;
};

}  // namespace vantrel
