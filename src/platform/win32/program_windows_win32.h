#pragma once
#include "platform/program_windows.h"

namespace vantrel {

class Win32ProgramWindows : public ProgramWindows {
 public:
  void Open(const std::string& file) override;
  void Sleep(unsigned milliseconds) override;
  WindowId FindTopLevelWindow(const std::string& title) override;
  void PostCommand(WindowId window, int command) override;
};

}  // namespace vantrel
