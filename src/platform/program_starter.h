#pragma once
// Starts programs and opens documents the way the shell does (ShellExecuteA
// with SW_SHOWNORMAL).

#include <string>

namespace vantrel {

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // ShellExecuteA(owner, verb, file, parameters, folder, SW_SHOWNORMAL);
  // an empty verb, parameters or folder is passed as NULL. True when the
  // shell reports success.
  virtual bool Open(const std::string& verb, const std::string& file, const std::string& parameters,
                    const std::string& folder) = 0;
};

}  // namespace vantrel
