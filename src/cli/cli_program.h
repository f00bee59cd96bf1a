#pragma once
// The console program from its command line to its exit code: reads the
// settings beside the program as the window does, runs the window's cleaning
// run with a console view (and, for a preview, a sink that only counts), and
// saves switches the path guard cleared.

#include <string>
#include <vector>

#include "engine/folder_purge.h"

namespace vantrel {

class ConsoleOutput;
class DeletionProbe;
class Environment;
class FileSystem;
class MessagePump;
class Registry;
class RunningPrograms;
class Shell;
class TextConverter;
class UrlCache;

struct CliPorts {
  FileSystem& files;
  MessagePump& pump;
  UrlCache& cache;
  Registry& registry;
  Shell& shell;
  TextConverter& converter;
  ConsoleOutput& out;
  DeletionProbe& probe;
  Environment& environment;
  RunningPrograms& programs;
  SystemFolders systemFolders;
  std::string moduleFileName;  // the running program file
};

// Returns the exit code (see cli_command.h).
int RunConsoleProgram(const std::vector<std::string>& arguments, CliPorts ports);

}  // namespace vantrel
