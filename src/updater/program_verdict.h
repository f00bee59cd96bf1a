#pragma once
// Whether a downloaded program that carries the maker's signature may
// replace the running one: only a newer one, the one the server announced,
// for this width. An old signed program stays old.

#include "platform/program_files.h"

namespace vantrel {

enum class ProgramVerdict {
  kInstall,
  kNotWhole,      // not a whole Windows program
  kOtherWidth,    // for the other processor width
  kNoVersion,     // no version resource
  kNotNewer,      // not newer than the running program
  kNotAnnounced,  // another version than the one announced
};

// The version a version file announces in tenths (13: 1.3.0.0).
ProgramVersion AnnouncedVersion(long tenths);

ProgramVerdict JudgeNewProgram(const ProgramFacts& facts, ProgramWidth width, const ProgramVersion& running,
                               long announcedTenths);

}  // namespace vantrel
