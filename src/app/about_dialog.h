#pragma once
// The About window: the program's name and maker, the help text and the
// two links to the maker's pages. Modal; Enter and its X close it with the
// click sound, Escape without.

#include <string>

#include "controls/color_edit.h"
#include "controls/color_label.h"
#include "controls/hover_button.h"
#include "controls/image_button.h"
#include "framework/dialog.h"
#include "resource.h"

namespace vantrel {

class AboutDialog : public Dialog {
 public:
  enum { IDD = IDD_ABOUT };

  AboutDialog() : Dialog(IDD) {}

  // Strings 102 and 103 of the program, then the home page in parentheses.
  static std::string HelpText();

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  bool OnClicked(int id) override;
  bool OnPaint() override;

 private:
  ColorLabel title;
  ColorLabel credit;
  ImageButton closeButton;
  ColorEdit helpText;
  HoverButton homePageButton;
  HoverButton counterPageButton;
};

}  // namespace vantrel
