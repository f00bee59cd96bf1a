#pragma once
// A button drawn from bitmaps: normal, pressed (selected) and a third one
// while the pointer rests on it. The item must be (and is made) owner-drawn.

#include <windows.h>

#include "framework/control.h"
#include "framework/gdi_handles.h"

namespace vantrel {

class ImageButton : public Control {
 public:
  // Loads the three bitmaps of the program by resource id; true when the
  // normal one loaded. pressed and hover may be 0 (none).
  bool LoadBitmaps(int normalId, int pressedId, int hoverId);
  // Resizes the button to its normal bitmap.
  void SizeToContent();

  bool Hovering() const { return hovering_; }

 protected:
  void OnAttached() override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnReflectedDrawItem(DRAWITEMSTRUCT& item) override;

 private:
  Bitmap normal_;
  Bitmap pressed_;
  Bitmap hover_;
  bool hovering_ = false;
  bool tracking_ = false;
};

}  // namespace vantrel
