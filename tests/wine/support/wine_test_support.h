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

#include <vector>

namespace vantrel::winetest {

// Full path of a program of the build (Qorv.exe, QorvUpDate.exe).
std::string BuiltProgram(const std::string& fileName);
// A file built beside the test program itself (stand-ins, signed updates).
std::string TestBuildFile(const std::string& fileName);

// The job of the programs this test starts: every program started through
// StartInTestJob, and whatever those start in turn, ends with the test
// program, however it ends (the job ends its processes when it closes).
HANDLE TestJob();
// CreateProcessA inside TestJob (the program is started suspended, put in
// the job, then let run).
bool StartInTestJob(const std::string& exe, std::string commandLine, const std::string& folder, bool inheritHandles,
                    DWORD flags, const STARTUPINFOA& startup, void* environment, PROCESS_INFORMATION& info);

// A started program (inside TestJob); ends it (if still running) when it goes.
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
  // Its visible top-level window with this title, or null.
  HWND VisibleWindow(const char* title) const;

 private:
  HANDLE process_ = nullptr;
};

// Polls for a visible top-level window of this test (see OfThisTest) with
// this title; nullptr on time-out.
HWND WaitForVisibleWindow(const char* title, DWORD milliseconds);

}  // namespace vantrel::winetest

namespace vantrel::winetest {

// Runs the queued messages of this thread through the framework's
// pre-translation, as a modal loop would, until the queue is empty.
void PumpPending();

// What a DC shows inside a rectangle, as 0x00BBGGRR colours, row by row
// from the top.
std::vector<COLORREF> CopyPixels(HDC source, int x, int y, int width, int height);
// Writes such pixels as a 24-bit BMP file.
bool SaveBmp(const std::string& path, int width, int height, const std::vector<COLORREF>& pixels);

// What the screen shows of a window's client area (BitBlt from its DC),
// as 0x00BBGGRR colours, row by row from the top.
class Capture {
 public:
  explicit Capture(HWND window);
  COLORREF At(int x, int y) const;
  // At a point given in the client coordinates of another window.
  COLORREF At(HWND child, int x, int y) const;
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Pixels of colour inside rect (client coordinates of child).
  int Count(HWND child, const RECT& rect, COLORREF colour) const;
  bool SaveBmp(const std::string& path) const;

 private:
  HWND window_;
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

// Shows window at (x, y) on top and lets it paint completely.
void ShowAndPaint(HWND window, int x = 40, int y = 40);

}  // namespace vantrel::winetest
