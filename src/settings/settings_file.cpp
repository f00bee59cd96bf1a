#include "settings/settings_file.h"

#include "platform/file_system.h"
#include "settings/archive.h"
#include "settings/setup_data.h"

namespace vantrel {

std::string SettingsFilePath(const std::string& moduleFileName) {
  std::string folder = moduleFileName;
  const auto slash = folder.rfind('\\');
  folder.erase(slash == std::string::npos ? 0 : slash);
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder + "SetupData.Sav";
}

SettingsFile::SettingsFile(FileSystem& files, MessageBoxes& messages, TextConverter& converter,
                           std::string moduleFileName)
    : files_(files),
      messages_(messages),
      converter_(converter),
      path_(SettingsFilePath(moduleFileName)) {}

SettingsFile::LoadOutcome SettingsFile::LoadSettings(SetupData& settings) {
  if (!files_.Exists(path_)) return LoadOutcome::kNoFile;
  std::string bytes;
  if (files_.Read(path_, bytes) != ReadResult::kOk) {
    keepCopyBeforeSave_ = true;
    return LoadOutcome::kUnreadable;
  }
  ArchiveReader archive(bytes, converter_);
  const SetupData::LoadResult result = settings.Load(archive, messages_);
  keepCopyBeforeSave_ = result == SetupData::LoadResult::kDamaged;
  switch (result) {
    case SetupData::LoadResult::kLoaded: return LoadOutcome::kLoaded;
    case SetupData::LoadResult::kWrongVersion: return LoadOutcome::kWrongVersion;
    case SetupData::LoadResult::kDamaged: break;
  }
  return LoadOutcome::kDamaged;
}

bool SettingsFile::SaveSettings(const SetupData& settings) {
  ArchiveWriter archive;
  settings.Store(archive);

  if (keepCopyBeforeSave_ && files_.Exists(path_)) {
    // What the user had past the damage may still be recoverable by hand;
    // never overwrite the only copy of it.
    if (!files_.Copy(path_, DamagedCopyPath())) return false;
    keepCopyBeforeSave_ = false;
  }

  const std::string temporary = TemporaryPath();
  if (!files_.Write(temporary, archive.Bytes()) || !files_.MoveReplacing(temporary, path_)) {
    files_.Delete(temporary);
    return false;
  }
  return true;
}

}  // namespace vantrel
