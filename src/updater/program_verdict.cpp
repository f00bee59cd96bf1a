#include "updater/program_verdict.h"

namespace vantrel {

ProgramVersion AnnouncedVersion(long tenths) {
  if (tenths <= 0 || tenths / 10 > 0xFFFF) return {};
  return {static_cast<std::uint16_t>(tenths / 10), static_cast<std::uint16_t>(tenths % 10), 0, 0};
}

ProgramVerdict JudgeNewProgram(const ProgramFacts& facts, ProgramWidth width, const ProgramVersion& running,
                               long announcedTenths) {
  if (!facts.whole) return ProgramVerdict::kNotWhole;
  if (facts.machine != static_cast<std::uint16_t>(width)) return ProgramVerdict::kOtherWidth;
  if (!facts.hasVersion) return ProgramVerdict::kNoVersion;
  if (!(facts.version > running)) return ProgramVerdict::kNotNewer;
  const ProgramVersion announced = AnnouncedVersion(announcedTenths);
  if (announced == ProgramVersion{} || facts.version != announced) return ProgramVerdict::kNotAnnounced;
  return ProgramVerdict::kInstall;
}

}  // namespace vantrel
