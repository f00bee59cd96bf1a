#pragma once
// The special folders of a small system: named by the shell (the temp folder
// with its backslash, as GetTempPathA gives it) and present on disk, with
// the program's folder C:\Vantrel beside them.

#include "fakes/fake_shell.h"
#include "fakes/memory_file_system.h"

namespace vantrel::testing {

inline void MakeSpecialFolders(FakeShell& shell, MemoryFileSystem& files) {
  shell.folders = {{csidl::kInternetCache, "C:\\Cache"},
                   {csidl::kCookies, "C:\\Cookies"},
                   {csidl::kHistory, "C:\\History"},
                   {csidl::kRecent, "C:\\Recent"}};
  shell.tempFolder = "C:\\Temp\\";
  for (const char* folder : {"C:\\Cache", "C:\\Cookies", "C:\\History", "C:\\Temp", "C:\\Recent",
                             "C:\\Vantrel"}) {
    files.AddDirectory(folder);
  }
}

}  // namespace vantrel::testing
