#include "engine/preview_count_win32.h"

#include "engine/folder_purge_win32.h"

namespace vantrel {

SystemPreviewCount::SystemPreviewCount(const SetupData& settings)
    : count(PreviewCount::Ports{files, cache, registry, shell, probe, environment, programs}, RunningSystemFolders(), settings) {}

}  // namespace vantrel
