#include "settings/registry_editor_find.h"

#include "platform/program_windows.h"

namespace vantrel {

void FindInRegistryEditor(ProgramWindows& windows) {
  windows.Open("regedit.exe");
  windows.Sleep(kRegistryEditorWaitMs);
  const ProgramWindows::WindowId editor = windows.FindTopLevelWindow(kRegistryEditorTitle);
  if (editor != 0) {
    windows.PostCommand(editor, kRegistryEditorFindCommand);
  } else {
    windows.Sleep(kRegistryEditorWaitMs);
  }
}

}  // namespace vantrel
