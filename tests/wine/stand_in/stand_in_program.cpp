// A stand-in for Qorv.exe and QorvUpDate.exe in the tests that start one
// program from another. It notes each start in "<its name>.started.txt" in
// its current folder (one line with the command line after the program
// name, one with the current folder), then stays running with a hidden window
// titled "Vantrel stand-in <its name>" until that window is closed, or a
// minute has passed.
#include <windows.h>

#include <string>

namespace {

std::string OwnName() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string name = path;
  name = name.substr(name.find_last_of('\\') + 1);
  return name.substr(0, name.find_last_of('.'));
}

void NoteStart(const std::string& name, const char* commandLine) {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof folder, folder);
  const std::string record = std::string(commandLine) + "\r\n" + folder + "\r\n";
  HANDLE file = CreateFileA((name + ".started.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
}

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE || message == WM_TIMER) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const std::string name = OwnName();
  NoteStart(name, commandLine);

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = StandInProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "VantrelStandIn";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA("VantrelStandIn", ("Vantrel stand-in " + name).c_str(), WS_OVERLAPPED, 0, 0, 100,
                              100, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  SetTimer(window, 1, 60000, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
