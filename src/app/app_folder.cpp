#include "app/app_folder.h"

namespace vantrel {

// A CP949 trail byte is never a backslash, so a byte search finds only
// real separators.
std::string AppFolderOf(const std::string& moduleFileName) {
  const std::string::size_type last = moduleFileName.rfind('\\');
  if (last == std::string::npos) return "";
  return moduleFileName.substr(0, last);
}

std::string BesideProgram(const std::string& folder, const std::string& fileName) {
  if (!folder.empty() && folder.back() == '\\') return folder + fileName;
  return folder + "\\" + fileName;
}

}  // namespace vantrel
