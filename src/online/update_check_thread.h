#pragma once
// The update check's worker thread.

#include <windows.h>

#include <string>

namespace vantrel {

// The thread procedure. parameter: a heap UpdateCheckRequest, which the
// thread owns and deletes. Returns 0 on every path.
unsigned __stdcall UpdateCheckThread(void* parameter);

// Starts the check on its own thread and lets it go: nobody waits for it,
// and the program may end while it waits for the server or for the user.
// It asks with a message box owned by mainWindow and, on "yes", starts the
// updater in appFolder and sends mainWindow WM_CLOSE.
bool StartUpdateCheck(HWND mainWindow, const std::string& appFolder);

// At the program's start: when an update was cut short and left Qorv.bak
// without a working Qorv.exe in appFolder, the old program goes back.
void RepairInterruptedUpdate(const std::string& appFolder);

}  // namespace vantrel
