#pragma once
// A console that keeps what was written to it, with a clock the test moves,
// and a deletion probe that refuses the files it is told of.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/console_output.h"
#include "platform/deletion_probe.h"

namespace vantrel::testing {

class RecordingConsole : public ConsoleOutput {
 public:
  bool IsConsole() override { return console; }
  void Write(const std::string& text) override {
    out += text;
  }
  void WriteError(const std::string& text) override { err += text; }
  std::uint32_t Milliseconds() override { return now; }

  // The lines of standard output.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::string line;
    for (char c : out) {
      if (c == '\n') {
        lines.push_back(line);
        line.clear();
      } else {
        line += c;
      }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
  }
  // The lines that start with prefix.
  std::vector<std::string> LinesStartingWith(const std::string& prefix) const {
    std::vector<std::string> matching;
    for (const std::string& line : Lines()) {
      if (line.rfind(prefix, 0) == 0) matching.push_back(line);
    }
    return matching;
  }

  bool console = false;
  std::string out;
  std::string err;
  std::uint32_t now = 0;
};

class FakeDeletionProbe : public DeletionProbe {
 public:
  bool CanDelete(const std::string& path) override { return undeletable.count(path) == 0; }
  std::set<std::string> undeletable;
};

}  // namespace vantrel::testing
