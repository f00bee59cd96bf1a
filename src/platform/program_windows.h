#pragma once
// Starting another program and reaching its top-level window.

#include <cstdint>
#include <string>

namespace vantrel {

class ProgramWindows {
 public:
  using WindowId = std::uintptr_t;  // 0: no window

  virtual ~ProgramWindows() = default;
  // ShellExecuteA(NULL, "open", file, NULL, NULL, SW_SHOWNORMAL).
  virtual void Open(const std::string& file) = 0;
  // Blocks the calling thread.
  virtual void Sleep(unsigned milliseconds) = 0;
  // FindWindowA(NULL, title): a top-level window of any class, or 0.
  virtual WindowId FindTopLevelWindow(const std::string& title) = 0;
  // PostMessageA(window, WM_COMMAND, command, 0).
  virtual void PostCommand(WindowId window, int command) = 0;
};

}  // namespace vantrel
