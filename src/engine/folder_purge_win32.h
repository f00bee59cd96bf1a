#pragma once
#include "engine/folder_purge.h"

namespace vantrel {

// The Windows and system directories of the running system.
SystemFolders RunningSystemFolders();

}  // namespace vantrel
