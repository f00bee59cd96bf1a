#pragma once
// The console program's standard output and error, and a clock to pace what
// it shows. Text is CP949 bytes; the adapter puts it into whatever code page
// the console uses.

#include <cstdint>
#include <string>

namespace vantrel {

class ConsoleOutput {
 public:
  virtual ~ConsoleOutput() = default;
  // True when standard output is a console window, where a line can be
  // written over; false when it goes to a file or a pipe.
  virtual bool IsConsole() = 0;
  virtual void Write(const std::string& text) = 0;
  virtual void WriteError(const std::string& text) = 0;
  // Milliseconds from some fixed moment; wraps after 49 days.
  virtual std::uint32_t Milliseconds() = 0;
};

}  // namespace vantrel
