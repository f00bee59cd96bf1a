#pragma once
// The walk over one folder that counting, purging and sizing share.

#include <memory>
#include <string>
#include <utility>

#include "platform/file_system.h"
#include "platform/message_pump.h"

namespace vantrel {

// "." and "..", which a search of any folder but a root yields.
inline bool IsDotEntry(const DirEntry& entry) { return entry.name == "." || entry.name == ".."; }

// A junction, directory link or mount point: whatever lies behind it belongs
// to another folder, and deleting through it (or removing it, which on some
// systems removes an empty target) would clean that folder instead.
inline bool IsFolderLink(const DirEntry& entry) { return entry.isDirectory && entry.isReparsePoint; }

// Searches pattern and hands every entry, "." and ".." included, to visit in
// the finder's order. Pending window messages are drained before each entry,
// so the windows stay alive, and the finder moves on before the entry is
// handled; a pump that is stopping ends the walk there. False when the
// search found nothing.
template <typename Visit>
bool WalkFolder(FileSystem& files, MessagePump& pump, const std::string& pattern, Visit visit) {
  const std::unique_ptr<DirectoryFinder> finder = files.Find(pattern);
  if (!finder) return false;
  DirEntry next;
  bool more = finder->Next(next);
  while (more) {
    pump.DrainPending();
    if (pump.Stopping()) break;
    const DirEntry entry = std::move(next);
    more = finder->Next(next);
    visit(entry);
  }
  return true;
}

}  // namespace vantrel
