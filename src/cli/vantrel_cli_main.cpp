// VantrelCli.exe: the cleaner's console companion.
#include <windows.h>

#include <string>
#include <vector>

#include "cli/cli_program.h"
#include "engine/folder_purge_win32.h"
#include "platform/message_pump.h"
#include "platform/win32/console_output_win32.h"
#include "platform/win32/deletion_probe_win32.h"
#include "platform/win32/environment_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/module_path_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/running_programs_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/text_converter_win32.h"
#include "platform/win32/url_cache_win32.h"

namespace {

// The console program has no windows whose messages could wait.
class NoWindowsPump : public vantrel::MessagePump {
 public:
  void DrainPending() override {}
};

}  // namespace

int main(int argc, char** argv) {
  using namespace vantrel;
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
  Win32FileSystem files;
  NoWindowsPump pump;
  Win32UrlCache cache;
  Win32Registry registry;
  Win32Shell shell;
  Win32TextConverter converter;
  Win32ConsoleOutput out;
  Win32DeletionProbe probe;
  Win32Environment environment;
  Win32RunningPrograms programs;
  return RunConsoleProgram(arguments,
                           CliPorts{files, pump, cache, registry, shell, converter, out, probe,
                                    environment, programs, RunningSystemFolders(),
                                    RunningProgramFileName()});
}
