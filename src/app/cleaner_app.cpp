#include "app/cleaner_app.h"

#include "app/main_dialog.h"

namespace vantrel {

BOOL CleanerApp::InitInstance() {
  if (FindWindowA(nullptr, kMainWindowTitle) != nullptr) return FALSE;
  MainDialog mainWindow;
  mainWindow.DoModal(nullptr);
  return FALSE;
}

}  // namespace vantrel
