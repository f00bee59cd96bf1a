#include "app/settings_session.h"

#include "platform/win32/module_path_win32.h"

namespace vantrel {

SettingsSession::SettingsSession() : file_(files_, messages_, converter_, RunningProgramFileName()) {}

}  // namespace vantrel
