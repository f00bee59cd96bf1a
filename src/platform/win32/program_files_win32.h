#pragma once
#include "platform/program_files.h"

namespace vantrel {

// Program files read with CreateFileA and the version functions.
class Win32ProgramFiles : public ProgramFiles {
 public:
  ProgramFacts Inspect(const std::string& path) override;
};

// The width this program was built for.
constexpr ProgramWidth ThisProgramWidth() { return sizeof(void*) == 8 ? ProgramWidth::k64Bit : ProgramWidth::k32Bit; }

}  // namespace vantrel
