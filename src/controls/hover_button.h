#pragma once
// A flat colour push button that shows a different caption colour while
// the pointer rests on it and a sunken edge while it is pressed. The item
// must be (and is made) owner-drawn.

#include <windows.h>

#include "framework/control.h"

namespace vantrel {

class HoverButton : public Control {
 public:
  // Stores both colours and repaints at once.
  void SetColours(COLORREF text, COLORREF face);

  COLORREF FaceColour() const { return face_; }
  COLORREF TextColour() const { return text_; }
  COLORREF HoverTextColour() const { return hoverText_; }
  bool PointerInside() const { return pointerInside_; }
  bool Hovering() const { return hovering_; }
  bool Captured() const { return captured_; }

  // A left-button release while the pointer is outside never reaches the
  // button, so releasing outside does not click it.
  bool PreTranslateMessage(MSG& message) override;

 protected:
  void OnAttached() override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnReflectedDrawItem(DRAWITEMSTRUCT& item) override;

 private:
  void OnMouseMove(UINT keys, POINT point);

  COLORREF face_ = RGB(0x00, 0x00, 0xFF);
  COLORREF text_ = RGB(0xFF, 0xFF, 0xFF);
  COLORREF hoverText_ = RGB(0xFF, 0x66, 0x00);
  bool captured_ = false;
  bool pointerInside_ = false;
  bool hovering_ = false;
  bool tracking_ = false;
};

}  // namespace vantrel
