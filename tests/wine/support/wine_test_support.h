#pragma once
// Helpers shared by the Wine test programs. Each program runs in a fresh
// scratch folder of its own (its current folder, on drive B:).

#include <string>

namespace vantrel::winetest {

// The current folder, with a trailing backslash.
std::string ScratchFolder();
// Creates folder (and its parents); returns it with a trailing backslash.
std::string MakeFolder(const std::string& folder);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace vantrel::winetest

#include <windows.h>

namespace vantrel::winetest {

// Full path of a program of the build (Qorv.exe, QorvUpDate.exe).
std::string BuiltProgram(const std::string& fileName);

// A started program; ends it (if still running) when it goes.
class RunningProgram {
 public:
  // Starts exe in folder with the given parameters.
  RunningProgram(const std::string& exe, const std::string& parameters, const std::string& folder);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Started() const { return process_ != nullptr; }
  // Waits for the program to end; false on time-out.
  bool WaitForExit(DWORD milliseconds);
  DWORD ExitCode() const;

 private:
  HANDLE process_ = nullptr;
};

// Polls for a visible top-level window with this title; nullptr on time-out.
HWND WaitForVisibleWindow(const char* title, DWORD milliseconds);

}  // namespace vantrel::winetest
