#pragma once
// The process port: which programs the current user runs.

#include <string>

namespace vantrel {

class RunningPrograms {
 public:
  virtual ~RunningPrograms() = default;
  // True when a process of the current user runs the program file called
  // fileName ("chrome.exe"; letter case ignored). Processes of other users
  // do not count.
  virtual bool UserRuns(const std::string& fileName) = 0;
};

}  // namespace vantrel
