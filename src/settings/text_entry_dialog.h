#pragma once
// A small window that asks for one line of text: a label, an edit, "추가"
// and "취소", on the settings windows' panel. The key window and the path
// window are two of them.

#include <string>

#include "controls/color_label.h"
#include "controls/hover_button.h"
#include "framework/dialog.h"

namespace vantrel {

class TextEntryDialog : public Dialog {
 public:
  static constexpr UINT_PTR kFocusTimer = 1;
  static constexpr UINT kFocusDelayMs = 100;

  // The template's edit is editId and its label labelId.
  TextEntryDialog(int templateId, int editId, int labelId)
      : Dialog(templateId), editId_(editId), labelId_(labelId) {}

  // The edit's text after OK ("추가"); empty until then.
  std::string text;

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  bool OnTimer(UINT_PTR id) override;
  bool OnPaint() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  int editId_;
  int labelId_;
  ColorLabel label;
  HoverButton addButton;
  HoverButton cancelButton;
};

}  // namespace vantrel
