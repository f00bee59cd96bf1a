#pragma once
// The small window that asks for a registry key name; its "레지스트리 찾기"
// starts the system's registry editor on its find dialog.

#include <string>

#include "controls/color_label.h"
#include "controls/hover_button.h"
#include "framework/dialog.h"
#include "resource.h"

namespace vantrel {

class RegKeyDialog : public Dialog {
 public:
  enum { IDD = IDD_REG_KEY };
  static constexpr UINT_PTR kFocusTimer = 1;
  static constexpr UINT kFocusDelayMs = 100;

  RegKeyDialog() : Dialog(IDD) {}

  // The edit's text after OK ("추가"); empty until then.
  std::string keyName;

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  bool OnClicked(int id) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnPaint() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  ColorLabel keyLabel;
  HoverButton addButton;
  HoverButton cancelButton;
  HoverButton findButton;
};

}  // namespace vantrel
