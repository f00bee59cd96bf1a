#pragma once
#include <map>
#include <string>

#include "fakes/memory_update_files.h"
#include "platform/program_files.h"

namespace vantrel::testing {

// Tells programs by their bytes: a file of the folder whose bytes are
// known has those facts; anything else is not a program.
class FakeProgramFiles : public ProgramFiles {
 public:
  explicit FakeProgramFiles(MemoryUpdateFiles& files) : files_(files) {}

  ProgramFacts Inspect(const std::string& path) override {
    const auto file = files_.files.find(path);
    if (file == files_.files.end()) return {};
    const auto found = known.find(file->second);
    return found == known.end() ? ProgramFacts{} : found->second;
  }

  std::map<std::string, ProgramFacts> known;

 private:
  MemoryUpdateFiles& files_;
};

}  // namespace vantrel::testing
