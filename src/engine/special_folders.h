#pragma once
// Finds the five folders a cleaning run works in and stores them in the
// settings record. Runs once at start-up, before the settings file is read.

namespace vantrel {

class SetupData;
class Shell;

// Asks the shell for the cookie, cache, Recent and History folders (without a
// trailing backslash) and for the temp folder (with one). A folder the shell
// cannot give is left empty, so that no step cleans it.
void FindSpecialFolders(Shell& shell, SetupData& setup);

}  // namespace vantrel
