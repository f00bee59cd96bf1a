#pragma once
// What the purge benchmarks share: the progress window on screen, a view
// that draws nothing, the bare message pump, a clock and the figures line.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "engine/progress_dialog.h"
#include "platform/progress_view.h"

namespace vantrel::bench {

class SilentView : public ProgressView, MessageBoxes, LabelView {
 public:
  ProgressBarView& CategoryBar() override { return category_; }
  ProgressBarView& OverallBar() override { return overall_; }
  LabelView& StepLabel() override { return *this; }
  LabelView& CountLabel() override { return *this; }
  MessageBoxes& Messages() override { return *this; }
  int Show(const std::string&, const std::string&, unsigned) override { return IDOK; }
  void SetText(const std::string&) override {}

 private:
  struct Bar : ProgressBarView {
    void SetRange(int, int) override {}
    void SetPos(int position) override { last = position; }
    int last = 0;
  } category_, overall_;
};

inline void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The progress window shown on screen with its bars set up as a run sets
// them (0 to 1001), and every message of its showing dispatched.
inline bool ShowProgressWindow(ProgressDialog& dialog) {
  if (!dialog.Create(nullptr)) return false;
  SetWindowPos(dialog.hwnd(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  UpdateWindow(dialog.hwnd());
  dialog.CategoryBar().SetRange(0, 1001);
  dialog.OverallBar().SetRange(0, 1001);
  Pump();
  return true;
}

// The pictures both bars have put on the screen.
inline int FramesDrawn(ProgressDialog& dialog) {
  return dynamic_cast<GradientProgress&>(dialog.CategoryBar()).FramesDrawn() +
         dynamic_cast<GradientProgress&>(dialog.OverallBar()).FramesDrawn();
}

class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double Seconds() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) / frequency_.QuadPart;
  }

 private:
  LARGE_INTEGER frequency_;
  LARGE_INTEGER start_;
};

// mode=... seconds=... cpu_seconds=... peak_private_kb=... and what the
// benchmark adds before them.
inline void PrintFigures(const std::string& mode, const std::string& extra, double seconds) {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ticks = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  const double cpu = (ticks(kernel) + ticks(user)) / 1e7;
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  std::printf("mode=%s %s seconds=%.3f cpu_seconds=%.3f peak_private_kb=%lu\n", mode.c_str(),
              extra.c_str(), seconds, cpu, static_cast<unsigned long>(memory.PeakPagefileUsage / 1024));
}

}  // namespace vantrel::bench
