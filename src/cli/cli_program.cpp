#include "cli/cli_program.h"

#include "cli/cli_command.h"
#include "cli/console_report.h"
#include "engine/removal_tally.h"
#include "engine/cleaning_run.h"
#include "engine/directory_pattern.h"
#include "engine/ready_made_entries.h"
#include "engine/special_folders.h"
#include "platform/console_output.h"
#include "platform/message_box.h"
#include "settings/archive.h"
#include "settings/settings_file.h"
#include "settings/setup_data.h"

namespace vantrel {

namespace {

// Messages of the settings file, as lines on standard error: a console
// program asks nothing.
class ErrorLines : public MessageBoxes {
 public:
  explicit ErrorLines(ConsoleOutput& out) : out_(out) {}
  int Show(const std::string& text, const std::string& caption, unsigned) override {
    out_.WriteError(caption + ": " + text + "\n");
    return mb::kIdOk;
  }

 private:
  ConsoleOutput& out_;
};

std::string StoredBytes(const SetupData& settings) {
  ArchiveWriter archive;
  settings.Store(archive);
  return archive.Bytes();
}

int Run(CliPorts& ports, bool preview) {
  SetupData settings;
  FindSpecialFolders(ports.shell, settings);
  ErrorLines errors(ports.out);
  SettingsFile file(ports.files, errors, ports.converter, ports.moduleFileName,
                    FallbackSettingsFolder(ports.shell));
  switch (file.LoadSettings(settings)) {
    case SettingsFile::LoadOutcome::kNoFile: {
      // A first start, as the window program's: the caches of the browsers
      // the user has.
      DirectoryExpansion expansion(ports.environment, ports.files, ports.pump);
      AddMissingCacheEntries(settings, expansion);
      break;
    }
    case SettingsFile::LoadOutcome::kLoaded:
      break;
    case SettingsFile::LoadOutcome::kWrongVersion:
    case SettingsFile::LoadOutcome::kDamaged:
    case SettingsFile::LoadOutcome::kUnreadable:
      // Cleaning by half a file (or by the defaults) could clean what the
      // user switched off; the file itself stays exactly as it is.
      ports.out.WriteError("설정 파일을 읽을 수 없습니다: " + file.Path() + "\n");
      return exit_code::kSettingsUnreadable;
  }
  CountingSink counting(ports.probe);
  ReportingSink reporting;
  TallySink& sink = preview ? static_cast<TallySink&>(counting) : reporting;
  ConsoleReport report(ports.out, sink, preview);
  CleaningRun run(CleaningRun::Ports{ports.files, ports.pump, ports.cache, ports.registry,
                                     ports.shell, ports.environment, ports.programs},
                  report, ports.systemFolders, sink);
  const std::string before = StoredBytes(settings);
  // With nothing to clean the run says so itself, through the report.
  const bool nothingSelected =
      settings.CountEnabledCategories() + settings.CountUserItems() == 0;

  report.Begin();
  run.RunCleaning(&settings);
  if (nothingSelected) return exit_code::kNothingSelected;
  report.Finish();

  // Only a real run keeps what the guard switched off, as the window does.
  if (!preview && StoredBytes(settings) != before && file.SaveSettings(settings) != SettingsFile::SaveResult::kSaved) {
    ports.out.WriteError("설정 파일을 저장할 수 없습니다: " + file.Path() + "\n");
    return exit_code::kSettingsNotSaved;
  }
  return exit_code::kSuccess;
}

}  // namespace

int RunConsoleProgram(const std::vector<std::string>& arguments, CliPorts ports) {
  switch (ParseCommand(arguments)) {
    case CliCommand::kHelp:
      ports.out.Write(HelpText());
      return exit_code::kSuccess;
    case CliCommand::kUsageError:
      ports.out.WriteError(HelpText());
      return exit_code::kUsage;
    case CliCommand::kPreview:
      return Run(ports, true);
    case CliCommand::kClean:
      return Run(ports, false);
  }
  return exit_code::kUsage;
}

}  // namespace vantrel
