#pragma once
// The control gallery dialog: every control of the program in its states,
// on the standard panel. Created modeless by the drawing tests.

#include <windows.h>

#include "controls/color_edit.h"
#include "controls/color_label.h"
#include "controls/gradient_progress.h"
#include "controls/hover_button.h"
#include "controls/image_button.h"
#include "framework/dialog.h"

namespace vantrel::winetest {

class ControlGallery : public Dialog {
 public:
  ControlGallery();

  static constexpr COLORREF kPanelFill = RGB(0xFF, 0xC5, 0xFF);
  static constexpr COLORREF kBarBackground = RGB(0xEA, 0xED, 0xF4);
  static constexpr COLORREF kLabelText = RGB(0x33, 0x99, 0xCC);
  static constexpr COLORREF kCheckBackground = RGB(0xFF, 0xC5, 0xFF);
  static constexpr COLORREF kEditText = RGB(0x00, 0x00, 0x00);
  static constexpr COLORREF kEditBackground = RGB(0xEA, 0xED, 0xF4);

  // Puts the controls into the states their names say (hovered, pressed...).
  void ShowStates();

  HoverButton hoverNormal, hoverHovered, hoverPressed, hoverDisabled;
  ImageButton closeNormal, closeHovered, clean, menu, settings;
  ColorLabel label, check;
  ColorEdit edit;
  GradientProgress barEmpty, barHalf, barFull, barAtUpper;

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  bool OnPaint() override;
};

}  // namespace vantrel::winetest
