#pragma once
// The PE headers at the start of a program file.

#include <cstdint>
#include <string_view>

namespace vantrel {

// How much of the file's start the headers must lie in.
inline constexpr std::size_t kProgramHeaderBytes = 4096;

struct ProgramHeader {
  bool whole = false;  // every section's bytes lie within fileSize
  std::uint16_t machine = 0;
};

// head: the first bytes of the file (up to kProgramHeaderBytes); fileSize:
// the length of the whole file. Anything that is not a Windows program, or
// whose headers do not fit in head, is not whole.
ProgramHeader ReadProgramHeader(std::string_view head, std::uint64_t fileSize);

}  // namespace vantrel
