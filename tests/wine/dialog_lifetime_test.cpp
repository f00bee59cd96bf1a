// How dialog windows begin and end in the framework: a dialog created while
// another is being initialised, and the end handlers of windows ended by
// their modal loop, by their parent and by their object going first.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "resource.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

std::vector<std::string> journal;

class LoggingDialog : public Dialog {
 public:
  explicit LoggingDialog(std::string name) : Dialog(IDD_CONTROL_GALLERY), name_(std::move(name)) {}

  std::unique_ptr<LoggingDialog> inner;  // created in OnInitDialog when set
  bool endAtOnce = false;

 protected:
  BOOL OnInitDialog() override {
    journal.push_back(name_ + " init");
    if (inner) {
      EXPECT_TRUE(inner->Create(hwnd()));
      EXPECT_EQ(Dialog::FromHandle(inner->hwnd()), inner.get());
    }
    if (endAtOnce) PostMessageA(hwnd(), WM_COMMAND, IDOK, 0);
    return TRUE;
  }
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CREATE) journal.push_back(name_ + " create");
    return Dialog::OnMessage(message, wParam, lParam);
  }
  void OnDestroy() override { journal.push_back(name_ + " destroy"); }

 private:
  std::string name_;
};

using Journal = std::vector<std::string>;

TEST(DialogLifetime, ADialogCreatedDuringAnothersInitialisationIsBoundAndLaterCreationsStillWork) {
  journal.clear();
  LoggingDialog outer("outer");
  outer.inner = std::make_unique<LoggingDialog>("inner");
  ASSERT_TRUE(outer.Create());
  EXPECT_EQ(Dialog::FromHandle(outer.hwnd()), &outer);
  EXPECT_EQ(GetParent(outer.inner->hwnd()), outer.hwnd());
  EXPECT_EQ(journal, (Journal{"outer create", "outer init", "inner create", "inner init"}));

  journal.clear();
  LoggingDialog later("later");
  ASSERT_TRUE(later.Create());
  EXPECT_EQ(journal, (Journal{"later create", "later init"}));

  // The parent's end takes the owned window with it; both end handlers run
  // while their objects are whole.
  journal.clear();
  outer.Destroy();
  EXPECT_EQ(outer.inner->hwnd(), nullptr);
  EXPECT_EQ(journal, (Journal{"inner destroy", "outer destroy"}));
  later.Destroy();
}

TEST(DialogLifetime, AModalDialogEndsBeforeDoModalReturns) {
  journal.clear();
  LoggingDialog dialog("modal");
  dialog.endAtOnce = true;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.hwnd(), nullptr);
  EXPECT_EQ(journal, (Journal{"modal create", "modal init", "modal destroy"}));
}

// Watches a window's end from outside its object.
LRESULT CALLBACK WatchEnd(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  if (message == WM_DESTROY) {
    journal.push_back(Dialog::FromHandle(window) == nullptr ? "window ends unbound" : "window ends bound");
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &WatchEnd, id);
  return DefSubclassProc(window, message, wParam, lParam);
}

TEST(DialogLifetime, AWindowOutlivingItsObjectIsUnboundBeforeItEnds) {
  journal.clear();
  HWND window = nullptr;
  {
    LoggingDialog dialog("dropped");
    ASSERT_TRUE(dialog.Create());
    window = dialog.hwnd();
    SetWindowSubclass(window, &WatchEnd, 1, 0);
    journal.clear();
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(journal, (Journal{"window ends unbound"})) << "no message reached what was left of the object";
}

}  // namespace
}  // namespace vantrel
