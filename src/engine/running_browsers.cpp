#include "engine/running_browsers.h"

#include "engine/canonical_path.h"
#include "engine/directory_pattern.h"
#include "engine/folder_purge.h"
#include "platform/running_programs.h"

namespace vantrel {

void RunningBrowsers::FindDataFolders() {
  owners_.emplace();
  for (const KnownBrowser& browser : KnownBrowsers()) {
    Owner owner{&browser, {}, std::nullopt};
    for (const std::string& pattern : browser.dataFolders) {
      std::string folder;
      if (!expansion_.ExpandVariables(pattern, folder)) continue;
      const std::string canonical = CanonicalFolder(files_, folder);
      if (!canonical.empty()) owner.dataFolders.push_back(UpperCasePath(canonical));
    }
    owners_->push_back(std::move(owner));
  }
}

namespace {

bool StartsWith(const std::string& text, const std::string& head) {
  return text.compare(0, head.size(), head) == 0;
}

}  // namespace

const KnownBrowser* RunningBrowsers::RunningOwnerOf(const std::string& folder,
                                                    bool includeSubfolders) {
  if (!owners_) FindDataFolders();
  const std::string canonical = UpperCasePath(CanonicalFolder(files_, folder));
  if (canonical.empty()) return nullptr;
  for (Owner& owner : *owners_) {
    for (const std::string& dataFolder : owner.dataFolders) {
      const bool reaches = StartsWith(canonical, dataFolder) ||
                           (includeSubfolders && StartsWith(dataFolder, canonical));
      if (!reaches) continue;
      if (!owner.runs) owner.runs = programs_.UserRuns(owner.browser->programFile);
      if (*owner.runs) return owner.browser;
    }
  }
  return nullptr;
}

}  // namespace vantrel
