// QorvUpDate.exe, the updater.
#include <windows.h>

#include "updater/updater_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  vantrel::UpdaterApp application;
  application.InitInstance(commandLine);
  return 0;
}
