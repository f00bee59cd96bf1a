#include "wine_test_support.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

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

RunningProgram::RunningProgram(const std::string& exe, const std::string& parameters,
                               const std::string& folder) {
  std::string commandLine = "\"" + exe + "\"";
  if (!parameters.empty()) commandLine += " " + parameters;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     folder.c_str(), &startup, &info)) {
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

bool RunningProgram::WaitForExit(DWORD milliseconds) {
  return process_ != nullptr && WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0;
}

DWORD RunningProgram::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_ != nullptr) GetExitCodeProcess(process_, &code);
  return code;
}

HWND WaitForVisibleWindow(const char* title, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    HWND window = FindWindowA(nullptr, title);
    if (window != nullptr && IsWindowVisible(window)) return window;
    Sleep(20);
  } while (GetTickCount() - start < milliseconds);
  return nullptr;
}

}  // namespace vantrel::winetest
