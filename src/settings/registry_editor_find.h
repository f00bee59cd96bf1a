#pragma once
// The key window's "레지스트리 찾기": starts the system's registry editor and
// opens its find dialog, so the user can look a key up and copy its name.

namespace vantrel {

class ProgramWindows;

// The registry editor's window title on a Korean system and the command of
// its find dialog. An editor with another title or command is left alone.
inline constexpr char kRegistryEditorTitle[] = "레지스트리 편집기";
inline constexpr int kRegistryEditorFindCommand = 662;
inline constexpr unsigned kRegistryEditorWaitMs = 400;

// Waits 400 ms for the editor's window; gives up silently (after another
// 400 ms) when it is not there.
void FindInRegistryEditor(ProgramWindows& windows);

}  // namespace vantrel
