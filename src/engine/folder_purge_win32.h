#pragma once
#include "engine/folder_purge.h"

namespace vantrel {

// The Windows and system directories of the running system, and the folder
// the running program started from.
SystemFolders RunningSystemFolders();

}  // namespace vantrel
