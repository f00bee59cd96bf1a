#pragma once
// QorvUpDate's application object: runs the updater's window modally; the
// program ends when it closes.

namespace vantrel {

class UpdaterApp {
 public:
  // commandLine: what follows the program name (WinMain's command line).
  bool InitInstance(const char* commandLine);
};

}  // namespace vantrel
