#include "engine/special_folders.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/shell.h"
#include "settings/setup_data.h"

namespace vantrel {

namespace {

using PathBuffer = std::array<char, kShellPathSize>;

std::string TextOf(const PathBuffer& buffer) {
  const auto end = std::find(buffer.begin(), buffer.end(), '\0');
  return std::string(buffer.begin(), end);
}

// Each lookup gets a cleared buffer of its own, and a lookup that fails
// gives an empty path: left with the previous folder's text, the step of
// this folder would empty that other folder instead.
std::string SpecialFolder(Shell& shell, int folder) {
  PathBuffer buffer;
  buffer.fill('\0');
  return shell.SpecialFolderPath(folder, buffer.data()) ? TextOf(buffer) : std::string();
}

std::string TempFolder(Shell& shell) {
  PathBuffer buffer;
  buffer.fill('\0');
  const std::size_t length = shell.TempPath(buffer.size(), buffer.data());
  return length == 0 || length >= buffer.size() ? std::string() : TextOf(buffer);
}

}  // namespace

void FindSpecialFolders(Shell& shell, SetupData& setup) {
  setup.cookieFolder = SpecialFolder(shell, csidl::kCookies);
  setup.cacheFolder = SpecialFolder(shell, csidl::kInternetCache);
  setup.recentFolder = SpecialFolder(shell, csidl::kRecent);
  setup.historyFolder = SpecialFolder(shell, csidl::kHistory);
  setup.tempFolder = TempFolder(shell);
}

}  // namespace vantrel
