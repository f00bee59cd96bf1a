#pragma once
// A preview count of the system this runs on, with ports of its own: the
// thread that runs it shares none of them with the window's thread.

#include "engine/preview_count.h"
#include "platform/win32/deletion_probe_win32.h"
#include "platform/win32/environment_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/running_programs_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/url_cache_win32.h"

namespace vantrel {

struct SystemPreviewCount {
  // Counts by a copy of settings; made on the thread that owns them.
  explicit SystemPreviewCount(const SetupData& settings);

  Win32FileSystem files;
  Win32UrlCache cache;
  Win32Registry registry;
  Win32Shell shell;
  Win32DeletionProbe probe;
  Win32Environment environment;
  Win32RunningPrograms programs;
  PreviewCount count;
};

}  // namespace vantrel
