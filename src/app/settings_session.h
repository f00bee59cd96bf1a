#pragma once
// The settings record of the running program and its file beside the exe,
// wired to the real file system.

#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_box_win32.h"
#include "platform/win32/text_converter_win32.h"
#include "settings/settings_file.h"
#include "settings/setup_data.h"

namespace vantrel {

class SettingsSession {
 public:
  SettingsSession();

  SetupData& Settings() { return settings_; }
  void LoadSettings() { file_.LoadSettings(settings_); }
  bool SaveSettings() { return file_.SaveSettings(settings_); }

 private:
  Win32FileSystem files_;
  Win32MessageBoxes messages_;
  Win32TextConverter converter_;
  SettingsFile file_;
  SetupData settings_;
};

}  // namespace vantrel
