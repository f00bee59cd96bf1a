#pragma once
// "SetupData.Sav": read at start-up and written at exit, beside the running
// program wherever that folder can be written, otherwise in the user's
// application-data folder.

#include <string>

namespace vantrel {

class FileSystem;
class MessageBoxes;
class SetupData;
class Shell;
class TextConverter;

// The settings path for a program file: its folder, exactly one backslash,
// then "SetupData.Sav"; empty when the name holds no folder.
std::string SettingsFilePath(const std::string& moduleFileName);

// The folder for the settings when the program's own folder cannot take
// them: "Vantrel" in the user's application-data folder; empty when the
// shell does not know that folder.
std::string FallbackSettingsFolder(Shell& shell);

class SettingsFile {
 public:
  enum class SaveResult {
    kSaved,
    kLeftAlone,  // the file could not be read at start; it holds the user's settings still
    kFailed,     // nowhere could be written
  };

  SettingsFile(FileSystem& files, MessageBoxes& messages, TextConverter& converter,
               const std::string& moduleFileName, const std::string& fallbackFolder = "");

  enum class LoadOutcome {
    kNoFile,        // the defaults stay
    kLoaded,
    kWrongVersion,  // the message was shown; the defaults stay
    kDamaged,       // read up to the damage
    kUnreadable,    // the file is there but could not be read
  };

  // Reads the newer of the two files (a missing one leaves the defaults,
  // silently). A damaged file, or one of another version, is read as far as
  // it goes and kept as a ".bad" copy before it is first overwritten. A file
  // that exists but cannot be read is never overwritten in this run.
  LoadOutcome LoadSettings(SetupData& settings);
  // Writes a temporary file and puts it in place only once it is complete,
  // beside the program first, then in the fallback folder; on any failure
  // the old file stays as it was.
  SaveResult SaveSettings(const SetupData& settings);
  // SaveSettings, and when nothing could be written, a message box that
  // says so and names the file; once a run, however often saves fail.
  SaveResult SaveSettingsOrWarn(const SetupData& settings);

  // The file the user knows as the settings file: beside the program, or in
  // the fallback folder when the program's folder is unknown.
  const std::string& Path() const { return besideProgram_.empty() ? fallback_ : besideProgram_; }
  const std::string& FallbackPath() const { return fallback_; }
  // Where a file about to be overwritten after damage is kept: path + ".bad",
  // or ".bad2", ".bad3"... when older copies are in the way. Empty when
  // every name is taken.
  std::string FreeDamagedCopyPath(const std::string& path);
  static std::string TemporaryPath(const std::string& path) { return path + ".tmp"; }

 private:
  bool SaveTo(const std::string& path, const std::string& bytes);

  FileSystem& files_;
  MessageBoxes& messages_;
  TextConverter& converter_;
  std::string besideProgram_;
  std::string fallbackFolder_;
  std::string fallback_;
  std::string readFrom_;           // the file the settings came from, if any
  bool keepCopyBeforeSave_ = false;  // of readFrom_
  bool leaveAlone_ = false;          // readFrom_ could not be read
  bool warned_ = false;
};

}  // namespace vantrel
