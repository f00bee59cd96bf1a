#pragma once
// The small window that asks for a registry key name; its "레지스트리 찾기"
// starts the system's registry editor on its find dialog.

#include "controls/color_label.h"
#include "controls/hover_button.h"
#include "resource.h"
#include "settings/text_entry_dialog.h"

namespace vantrel {

class RegKeyDialog : public TextEntryDialog {
 public:
  enum { IDD = IDD_REG_KEY };

  RegKeyDialog() : TextEntryDialog(IDD, IDC_REG_KEY_NAME, IDC_REG_KEY_LABEL) {}

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;
  bool OnClicked(int id) override;

 private:
  HoverButton findButton;
};

// The small window that asks for a directory typed in full, a pattern
// included (%LOCALAPPDATA%\...\*\Cache), which the folder browser cannot give.
class DirectoryTextDialog : public TextEntryDialog {
 public:
  enum { IDD = IDD_DIRECTORY_TEXT };

  DirectoryTextDialog() : TextEntryDialog(IDD, IDC_DIRECTORY_TEXT, IDC_DIRECTORY_TEXT_LABEL) {}

 protected:
  void BindControls() override;
  BOOL OnInitDialog() override;

 private:
  ColorLabel example;
};

}  // namespace vantrel
