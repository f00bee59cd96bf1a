#include "wine_test_support.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "framework/message_target.h"
#include "program_driving.h"
#include "watchdog.h"

namespace vantrel::winetest {

std::string ScratchFolder() {
  char buffer[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof buffer, buffer);
  std::string folder = buffer;
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

std::string MakeFolder(const std::string& folder) {
  std::string path = folder;
  if (path.empty() || path.back() != '\\') path += '\\';
  for (std::size_t i = 3; i < path.size(); ++i) {
    if (path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
  }
  return path;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out << bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace vantrel::winetest

namespace vantrel::winetest {

std::string BuiltProgram(const std::string& fileName) {
  const char* bin = std::getenv("VANTREL_TEST_BIN");
  if (bin == nullptr) throw std::runtime_error("VANTREL_TEST_BIN is not set; run through wine-test.sh");
  return std::string(bin) + "\\" + fileName;
}

std::string TestBuildFile(const std::string& fileName) {
  const char* bin = std::getenv("VANTREL_TEST_BUILD_BIN");
  if (bin == nullptr) throw std::runtime_error("VANTREL_TEST_BUILD_BIN is not set; run through wine-test.sh");
  return std::string(bin) + "\\" + fileName;
}

HANDLE TestJob() {
  static const HANDLE job = [] {
    HANDLE made = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (made != nullptr) SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return made;
  }();
  return job;
}

bool StartInTestJob(const std::string& exe, std::string commandLine, const std::string& folder, bool inheritHandles,
                    DWORD flags, const STARTUPINFOA& startup, void* environment, PROCESS_INFORMATION& info) {
  STARTUPINFOA copy = startup;
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, inheritHandles, flags | CREATE_SUSPENDED,
                      environment, folder.c_str(), &copy, &info)) {
    return false;
  }
  if (!AssignProcessToJobObject(TestJob(), info.hProcess)) {
    TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    throw std::runtime_error("cannot put " + exe + " into the test's job");
  }
  ResumeThread(info.hThread);
  return true;
}

RunningProgram::RunningProgram(const std::string& exe, const std::string& parameters,
                               const std::string& folder) {
  std::string commandLine = "\"" + exe + "\"";
  if (!parameters.empty()) commandLine += " " + parameters;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (StartInTestJob(exe, commandLine, folder, false, 0, startup, nullptr, info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
  }
}

RunningProgram::~RunningProgram() {
  if (process_ == nullptr) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

HWND RunningProgram::VisibleWindow(const char* title) const {
  struct Search {
    DWORD process;
    const char* title;
    HWND found;
  } search{process_ != nullptr ? GetProcessId(process_) : 0, title, nullptr};
  EnumWindows(
      [](HWND window, LPARAM parameter) CALLBACK -> BOOL {
        auto& s = *reinterpret_cast<Search*>(parameter);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char text[128] = {};
        GetWindowTextA(window, text, sizeof text);
        if (process != s.process || !IsWindowVisible(window) || std::string(text) != s.title) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool RunningProgram::WaitForExit(DWORD milliseconds) {
  WaitNote note("a started program to end (up to " + std::to_string(milliseconds) + " ms)");
  return process_ != nullptr && WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0;
}

DWORD RunningProgram::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_ != nullptr) GetExitCodeProcess(process_, &code);
  return code;
}

HWND WaitForVisibleWindow(const char* title, DWORD milliseconds) {
  WaitNote note(std::string("a visible window titled \"") + title + "\"");
  HWND window = nullptr;
  const auto shown = [&] {
    window = FindTestWindow(nullptr, title);
    return window != nullptr && IsWindowVisible(window);
  };
  return WaitUntil(shown, milliseconds) ? window : nullptr;
}

}  // namespace vantrel::winetest

namespace vantrel::winetest {

void PumpPending() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

std::vector<COLORREF> CopyPixels(HDC source, int x, int y, int width, int height) {
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * height);
  const auto* copied = static_cast<const unsigned char*>(bits);
  for (std::size_t i = 0; copied != nullptr && i < pixels.size(); ++i) {
    pixels[i] = RGB(copied[i * 4 + 2], copied[i * 4 + 1], copied[i * 4 + 0]);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

bool SaveBmp(const std::string& path, int width, int height, const std::vector<COLORREF>& pixels) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biSizeImage = static_cast<DWORD>(stride * height);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
  for (int y = height - 1; y >= 0; --y) {
    std::string row(static_cast<std::size_t>(stride), '\0');
    for (int x = 0; x < width; ++x) {
      const COLORREF c = pixels[static_cast<std::size_t>(y) * width + x];
      row[x * 3 + 0] = static_cast<char>(GetBValue(c));
      row[x * 3 + 1] = static_cast<char>(GetGValue(c));
      row[x * 3 + 2] = static_cast<char>(GetRValue(c));
    }
    bytes += row;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

Capture::Capture(HWND window) : window_(window) {
  RECT client;
  GetClientRect(window, &client);
  width_ = client.right;
  height_ = client.bottom;
  HDC screen = GetDC(window);
  pixels_ = CopyPixels(screen, 0, 0, width_, height_);
  ReleaseDC(window, screen);
}

COLORREF Capture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

COLORREF Capture::At(HWND child, int x, int y) const {
  POINT point{x, y};
  MapWindowPoints(child, window_, &point, 1);
  return At(point.x, point.y);
}

int Capture::Count(HWND child, const RECT& rect, COLORREF colour) const {
  int count = 0;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      if (At(child, x, y) == colour) ++count;
    }
  }
  return count;
}

bool Capture::SaveBmp(const std::string& path) const {
  return winetest::SaveBmp(path, width_, height_, pixels_);
}

void ShowAndPaint(HWND window, int x, int y) {
  SetWindowPos(window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpPending();
  GdiFlush();
}

}  // namespace vantrel::winetest
