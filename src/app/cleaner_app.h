#pragma once
// The application: runs the main window unless another copy is running.

#include <windows.h>

namespace vantrel {

// The title the single-instance test looks for: the main window's.
constexpr char kMainWindowTitle[] = "Vantrel V.ZEL";

class CleanerApp {
 public:
  // Runs the main window modally and returns when it has ended; a second
  // copy returns at once, without a message. Always FALSE: the program then
  // ends.
  BOOL InitInstance();
};

}  // namespace vantrel
