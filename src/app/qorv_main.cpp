// Qorv.exe, the cleaner.
#include <windows.h>

#include "app/cleaner_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  vantrel::CleanerApp application;
  application.InitInstance();
  return 0;
}
