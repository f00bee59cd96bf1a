#include "stored_settings.h"

#include "settings/archive.h"

namespace vantrel::winetest {

std::string StoredSettings(const SetupData& settings) {
  ArchiveWriter writer;
  settings.Store(writer);
  return writer.Bytes();
}

std::string DefaultSettingsBytes() { return StoredSettings(SetupData()); }

}  // namespace vantrel::winetest
