#pragma once
#include "platform/running_programs.h"

namespace vantrel {

// The Toolhelp snapshot of the processes (Windows 2000 and XP have it), and
// each process of that name asked for the user of its token.
class Win32RunningPrograms : public RunningPrograms {
 public:
  bool UserRuns(const std::string& fileName) override;
};

}  // namespace vantrel
