#include "stored_settings.h"

#include "engine/directory_pattern.h"
#include "engine/ready_made_entries.h"
#include "platform/win32/environment_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_pump_win32.h"
#include "settings/archive.h"

namespace vantrel::winetest {

std::string StoredSettings(const SetupData& settings) {
  ArchiveWriter writer;
  settings.Store(writer);
  return writer.Bytes();
}

std::string DefaultSettingsBytes() { return StoredSettings(SetupData()); }

std::string FirstStartSettingsBytes() {
  Win32Environment environment;
  Win32FileSystem files;
  Win32MessagePump pump;
  DirectoryExpansion expansion(environment, files, pump);
  SetupData settings;
  AddMissingCacheEntries(settings, expansion);
  return StoredSettings(settings);
}

}  // namespace vantrel::winetest
