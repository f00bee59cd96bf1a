#pragma once
#include <string>
#include <vector>

#include "platform/program_starter.h"

namespace vantrel::testing {

class RecordingProgramStarter : public ProgramStarter {
 public:
  struct Started {
    std::string verb, file, parameters, folder;
  };
  bool Open(const std::string& verb, const std::string& file, const std::string& parameters,
            const std::string& folder) override {
    started.push_back(Started{verb, file, parameters, folder});
    return succeeds;
  }
  std::vector<Started> started;
  bool succeeds = true;
};

}  // namespace vantrel::testing
