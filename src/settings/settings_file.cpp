#include "settings/settings_file.h"

#include <cstdint>

#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "settings/archive.h"
#include "settings/setup_data.h"

namespace vantrel {

namespace {
constexpr char kFileName[] = "SetupData.Sav";
constexpr char kFallbackFolderName[] = "Vantrel";
constexpr int kMostDamagedCopies = 99;

std::string InFolder(std::string folder, const std::string& name) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder + name;
}
}  // namespace

std::string SettingsFilePath(const std::string& moduleFileName) {
  // Without a folder the name would be taken relative to the current drive.
  const auto slash = moduleFileName.rfind('\\');
  if (slash == std::string::npos) return "";
  return InFolder(moduleFileName.substr(0, slash), kFileName);
}

std::string FallbackSettingsFolder(Shell& shell) {
  char buffer[kShellPathSize] = {};
  if (!shell.SpecialFolderPath(csidl::kAppData, buffer) || buffer[0] == '\0') return "";
  return InFolder(buffer, kFallbackFolderName);
}

SettingsFile::SettingsFile(FileSystem& files, MessageBoxes& messages, TextConverter& converter,
                           const std::string& moduleFileName, const std::string& fallbackFolder)
    : files_(files),
      messages_(messages),
      converter_(converter),
      besideProgram_(SettingsFilePath(moduleFileName)),
      fallbackFolder_(fallbackFolder),
      fallback_(fallbackFolder.empty() ? "" : InFolder(fallbackFolder, kFileName)) {}

SettingsFile::LoadOutcome SettingsFile::LoadSettings(SetupData& settings) {
  std::uint64_t newest = 0;
  for (const std::string* candidate : {&besideProgram_, &fallback_}) {
    std::uint64_t written = 0;
    if (candidate->empty() || !files_.Exists(*candidate)) continue;
    if (!files_.LastWriteTime(*candidate, written)) written = 0;
    if (readFrom_.empty() || written > newest) {
      readFrom_ = *candidate;
      newest = written;
    }
  }
  if (readFrom_.empty()) return LoadOutcome::kNoFile;

  // Until the read has gone through, the file counts as unread: nothing that
  // stops it half way (not even a failed allocation) lets defaults replace it.
  leaveAlone_ = true;
  std::string bytes;
  const ReadResult read = files_.Read(readFrom_, bytes);
  if (read == ReadResult::kMissing) {
    readFrom_.clear();
    leaveAlone_ = false;
    return LoadOutcome::kNoFile;
  }
  if (read != ReadResult::kOk) return LoadOutcome::kUnreadable;
  ArchiveReader archive(bytes, converter_);
  const SetupData::LoadResult result = settings.Load(archive, messages_);
  keepCopyBeforeSave_ = result != SetupData::LoadResult::kLoaded;
  leaveAlone_ = false;
  switch (result) {
    case SetupData::LoadResult::kLoaded: return LoadOutcome::kLoaded;
    case SetupData::LoadResult::kWrongVersion: return LoadOutcome::kWrongVersion;
    case SetupData::LoadResult::kDamaged: break;
  }
  return LoadOutcome::kDamaged;
}

std::string SettingsFile::FreeDamagedCopyPath(const std::string& path) {
  for (int number = 1; number <= kMostDamagedCopies; ++number) {
    const std::string candidate = path + ".bad" + (number == 1 ? "" : std::to_string(number));
    if (!files_.Exists(candidate)) return candidate;
  }
  return "";
}

bool SettingsFile::SaveTo(const std::string& path, const std::string& bytes) {
  if (keepCopyBeforeSave_ && path == readFrom_ && files_.Exists(path)) {
    // What the user had past the damage, or in the other version, may still
    // be recoverable by hand: never overwrite the only copy of it, nor an
    // older copy.
    const std::string copy = FreeDamagedCopyPath(path);
    if (copy.empty() || !files_.Copy(path, copy)) return false;
    keepCopyBeforeSave_ = false;
  }
  const std::string temporary = TemporaryPath(path);
  if (!files_.Write(temporary, bytes) || !files_.MoveReplacing(temporary, path)) {
    files_.Delete(temporary);
    return false;
  }
  return true;
}

SettingsFile::SaveResult SettingsFile::SaveSettings(const SetupData& settings) {
  if (leaveAlone_) return SaveResult::kLeftAlone;
  ArchiveWriter archive;
  settings.Store(archive);
  if (!besideProgram_.empty() && SaveTo(besideProgram_, archive.Bytes())) return SaveResult::kSaved;
  if (!fallback_.empty() && files_.MakeFolder(fallbackFolder_) && SaveTo(fallback_, archive.Bytes())) {
    return SaveResult::kSaved;
  }
  return SaveResult::kFailed;
}

SettingsFile::SaveResult SettingsFile::SaveSettingsOrWarn(const SetupData& settings) {
  const SaveResult result = SaveSettings(settings);
  if (result == SaveResult::kFailed && !warned_) {
    warned_ = true;
    messages_.Show("설정을 저장할 수 없습니다.\n설정 파일: " + Path(), "ERROR", mb::kOk | mb::kIconHand);
  }
  return result;
}

}  // namespace vantrel
