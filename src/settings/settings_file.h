#pragma once
// "SetupData.Sav" beside the running program: reading it at start-up and
// writing it at exit.

#include <string>

namespace vantrel {

class FileSystem;
class MessageBoxes;
class SetupData;
class TextConverter;

// The settings path for a program file: its folder, exactly one backslash,
// then "SetupData.Sav".
std::string SettingsFilePath(const std::string& moduleFileName);

class SettingsFile {
 public:
  SettingsFile(FileSystem& files, MessageBoxes& messages, TextConverter& converter,
               std::string moduleFileName);

  enum class LoadOutcome {
    kNoFile,        // the defaults stay
    kLoaded,
    kWrongVersion,  // the message was shown; the defaults stay
    kDamaged,       // read up to the damage
    kUnreadable,    // the file is there but could not be read
  };

  // A missing file leaves the defaults, silently. A damaged file is read up
  // to the damage, and it (like a file that could not be read at all) is
  // remembered, so that SaveSettings keeps a copy of it first.
  LoadOutcome LoadSettings(SetupData& settings);
  // Writes a temporary file and puts it in place only once it is complete;
  // on any failure the old file stays as it was. Returns whether it saved.
  bool SaveSettings(const SetupData& settings);

  const std::string& Path() const { return path_; }
  std::string DamagedCopyPath() const { return path_ + ".bad"; }
  std::string TemporaryPath() const { return path_ + ".tmp"; }

 private:
  FileSystem& files_;
  MessageBoxes& messages_;
  TextConverter& converter_;
  std::string path_;
  bool keepCopyBeforeSave_ = false;
};

}  // namespace vantrel
