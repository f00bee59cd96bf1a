#pragma once
#include <set>
#include <string>
#include <vector>

#include "engine/folder_purge.h"
#include "platform/running_programs.h"

namespace vantrel::testing {

// The programs the test says the user runs; every question is recorded.
class FakeRunningPrograms : public RunningPrograms {
 public:
  void Start(const std::string& fileName) { running_.insert(UpperCasePath(fileName)); }

  bool UserRuns(const std::string& fileName) override {
    asked.push_back(fileName);
    return running_.count(UpperCasePath(fileName)) != 0;
  }

  std::vector<std::string> asked;

 private:
  std::set<std::string> running_;
};

}  // namespace vantrel::testing
