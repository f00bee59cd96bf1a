#include "updater/updater_app.h"

#include "updater/updater_dialog.h"

namespace vantrel {

bool UpdaterApp::InitInstance(const char* commandLine) {
  UpdaterDialog dialog(commandLine != nullptr ? commandLine : "");
  dialog.DoModal(nullptr);
  return false;
}

}  // namespace vantrel
