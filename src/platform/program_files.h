#pragma once
// What a program file says about itself: whether it is a whole Windows
// program, for which processor, and the version in its version resource.

#include <array>
#include <cstdint>
#include <string>

namespace vantrel {

// The PE header's Machine field of each width.
enum class ProgramWidth : std::uint16_t { k32Bit = 0x014C, k64Bit = 0x8664 };

// A file version: major, minor, build, revision.
using ProgramVersion = std::array<std::uint16_t, 4>;

struct ProgramFacts {
  bool whole = false;         // a Windows program whose headers and sections are all in the file
  std::uint16_t machine = 0;  // of a whole program
  bool hasVersion = false;
  ProgramVersion version = {};
};

class ProgramFiles {
 public:
  virtual ~ProgramFiles() = default;
  // What the file at path is; nothing true of a missing or unreadable file.
  virtual ProgramFacts Inspect(const std::string& path) = 0;
};

}  // namespace vantrel
