#include "online/update_check_thread.h"

#include <process.h>

#include "build_config.h"
#include "online/update_check.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/internet_win32.h"
#include "platform/win32/message_box_win32.h"
#include "platform/win32/program_files_win32.h"
#include "platform/win32/program_starter_win32.h"
#include "platform/win32/sockets_win32.h"
#include "platform/win32/update_files_win32.h"
#include "updater/update_repair.h"

namespace vantrel {

namespace {

// What the thread reads of the main window, copied before it starts: the
// thread never touches the window object, which may be gone before it ends.
struct UpdateCheckRequest {
  HWND mainWindow;
  std::string appFolder;
};

}  // namespace

unsigned __stdcall UpdateCheckThread(void* parameter) {
  std::unique_ptr<UpdateCheckRequest> request(static_cast<UpdateCheckRequest*>(parameter));
  try {
    Win32Internet internet;
    Win32Sockets sockets;
    Win32Clock clock;
    Win32UpdateFiles files;
    Win32MessageBoxes messages(request->mainWindow);
    Win32ProgramStarter starter(request->mainWindow);
    const HWND mainWindow = request->mainWindow;
    UpdateCheck check(UpdateCheckPorts{internet, sockets, clock, files, messages, starter,
                                       [mainWindow] { SendMessageA(mainWindow, WM_CLOSE, 0, 0); }},
                      build::kUpdateServer, build::kHitCounterPage, request->appFolder);
    check.Run();
  } catch (...) {
    // The check is a courtesy: whatever goes wrong, the program goes on.
  }
  return 0;
}

bool StartUpdateCheck(HWND mainWindow, const std::string& appFolder) {
  auto* request = new UpdateCheckRequest{mainWindow, appFolder};
  const uintptr_t thread = _beginthreadex(nullptr, 0, &UpdateCheckThread, request, 0, nullptr);
  if (thread == 0) {
    delete request;
    return false;
  }
  CloseHandle(reinterpret_cast<HANDLE>(thread));
  return true;
}

void RepairInterruptedUpdate(const std::string& appFolder) {
  Win32UpdateFiles files;
  Win32ProgramFiles programs;
  RepairInterruptedUpdate(files, programs, appFolder + "\\",
                          ThisProgramWidth());
}

}  // namespace vantrel
