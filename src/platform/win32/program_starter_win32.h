#pragma once
#include <windows.h>

#include "platform/program_starter.h"

namespace vantrel {

// ShellExecuteA on behalf of one owner window (or none).
class Win32ProgramStarter : public ProgramStarter {
 public:
  explicit Win32ProgramStarter(HWND owner = nullptr) : owner_(owner) {}
  bool Open(const std::string& verb, const std::string& file, const std::string& parameters,
            const std::string& folder) override;

 private:
  HWND owner_;
};

}  // namespace vantrel
