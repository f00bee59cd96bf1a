#include "updater/update_repair.h"

namespace vantrel {

bool IsWorkingProgram(ProgramFiles& programs, const std::string& path, ProgramWidth width) {
  const ProgramFacts facts = programs.Inspect(path);
  return facts.whole && facts.machine == static_cast<std::uint16_t>(width);
}

bool RepairInterruptedUpdate(UpdateFiles& files, ProgramFiles& programs, const std::string& folder,
                             ProgramWidth width) {
  const std::string program = folder + kProgramFile;
  const std::string backup = folder + kBackupFile;
  if (!files.Exists(backup) || IsWorkingProgram(programs, program, width)) return true;
  if (files.Exists(program) && !files.Remove(program)) return false;
  return files.Rename(backup, program);
}

}  // namespace vantrel
