#include "platform/win32/program_starter_win32.h"

#include <shellapi.h>

namespace vantrel {

namespace {

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

bool Win32ProgramStarter::Open(const std::string& verb, const std::string& file, const std::string& parameters,
                               const std::string& folder) {
  HINSTANCE result = ShellExecuteA(owner_, OrNull(verb), file.c_str(), OrNull(parameters), OrNull(folder),
                                   SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace vantrel
