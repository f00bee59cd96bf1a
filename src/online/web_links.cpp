#include "online/web_links.h"

#include <windows.h>
#include <shellapi.h>

namespace vantrel {

void OpenInBrowser(const std::string& address) {
  ShellExecuteA(nullptr, nullptr, "IEXPLORE.EXE", address.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace vantrel
