#pragma once
#include <windows.h>

#include "platform/console_output.h"

namespace vantrel {

// Standard output and error of a console program. On a console window the
// text goes through WriteConsoleW, so Korean shows whatever the console's
// code page; into a file or a pipe it goes as bytes of the console's output
// code page (the ANSI code page when there is no console), with Windows line
// ends.
class Win32ConsoleOutput : public ConsoleOutput {
 public:
  Win32ConsoleOutput();
  bool IsConsole() override { return out_.console; }
  void Write(const std::string& text) override { WriteTo(out_, text); }
  void WriteError(const std::string& text) override { WriteTo(err_, text); }
  std::uint32_t Milliseconds() override { return GetTickCount(); }

 private:
  struct Stream {
    HANDLE handle = nullptr;
    bool console = false;
  };
  static Stream Open(DWORD which);
  void WriteTo(const Stream& stream, const std::string& text);

  Stream out_;
  Stream err_;
  UINT codePage_;
};

}  // namespace vantrel
