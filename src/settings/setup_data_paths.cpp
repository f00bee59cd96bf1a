#include "settings/setup_data.h"

namespace vantrel {

bool SetupData::IsCleaningFolder(std::string path) const {
  const std::string other = !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1)
                                                                 : path + '\\';
  for (const std::string* folder :
       {&cacheFolder, &cookieFolder, &historyFolder, &tempFolder, &recentFolder}) {
    if (*folder == other || *folder == path) return true;
  }
  for (const auto& entry : userEntries) {
    for (const std::string& dir : entry->dirs) {
      const std::string folder = dir.size() > 4 ? dir.substr(4) : std::string();
      if (folder == other || folder == path) return true;
    }
  }
  return false;
}

}  // namespace vantrel
