#pragma once
// Where the removals of a cleaning run go, one item at a time. This class
// removes for real, through the port the caller hands over; a subclass may
// count the items instead, or count them on their way out. The answer says
// whether the item is gone, and the loops need nothing else to move on.

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/url_cache.h"

namespace vantrel {

// (RemoveFile, not DeleteFile: <windows.h> would rename that one.)
class RemovalSink {
 public:
  virtual ~RemovalSink() = default;

  virtual bool RemoveFile(FileSystem& files, const std::string& path, std::uint64_t size) {
    (void)size;
    return files.Delete(path);
  }
  virtual bool RemoveEmptyFolder(FileSystem& files, const std::string& path) {
    return files.RemoveEmptyFolder(path);
  }
  virtual bool DeleteCacheEntry(UrlCache& cache, const CacheEntry& entry) {
    return cache.DeleteEntry(entry.sourceUrl);
  }
  // The value called name of the open key, which is subKey under root.
  virtual bool DeleteValue(RegistryKey& key, RootKey root, const std::string& subKey,
                           const char* name) {
    (void)root;
    (void)subKey;
    return key.DeleteValue(name);
  }
  virtual void EmptyRecycleBin(Shell& shell, unsigned flags) { shell.EmptyRecycleBin(flags); }
  // The path guard refused folder, or passed it over, for reason (a few
  // words for the user); its message, if it has one, has been shown.
  virtual void FolderRefused(const std::string& folder, const std::string& reason) {
    (void)folder;
    (void)reason;
  }
  // The run left the folders of browserName ("Chrome") alone because the
  // browser runs; said once a run for each browser.
  virtual void BrowserSkipped(const std::string& browserName) { (void)browserName; }

  // The sink of every run that does not ask for another.
  static RemovalSink& OnSystem();
};

// No state, so one will do for every run.
inline RemovalSink systemRemovals;
inline RemovalSink& RemovalSink::OnSystem() { return systemRemovals; }

// The size of a file as the finder reports it.
inline std::uint64_t FileSize(const DirEntry& entry) {
  return (static_cast<std::uint64_t>(entry.sizeHigh) << 32) | entry.sizeLow;
}

}  // namespace vantrel
