#include "engine/special_folders.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/shell.h"
#include "settings/setup_data.h"

namespace vantrel {

namespace {

std::string TextOf(const std::array<char, kShellPathSize>& buffer) {
  const auto end = std::find(buffer.begin(), buffer.end(), '\0');
  return std::string(buffer.begin(), end);
}

}  // namespace

// One buffer serves all five calls and is cleared only before the first two;
// no result is looked at. A folder the shell cannot give therefore takes
// whatever the previous call left in the buffer.
void FindSpecialFolders(Shell& shell, SetupData& setup) {
  std::array<char, kShellPathSize> buffer;
  buffer.fill('\0');
  shell.SpecialFolderPath(csidl::kCookies, buffer.data());
  setup.cookieFolder = TextOf(buffer);

  buffer.fill('\0');
  shell.SpecialFolderPath(csidl::kInternetCache, buffer.data());
  setup.cacheFolder = TextOf(buffer);

  shell.SpecialFolderPath(csidl::kRecent, buffer.data());
  setup.recentFolder = TextOf(buffer);

  shell.SpecialFolderPath(csidl::kHistory, buffer.data());
  setup.historyFolder = TextOf(buffer);

  shell.TempPath(buffer.size(), buffer.data());
  setup.tempFolder = TextOf(buffer);
}

}  // namespace vantrel
