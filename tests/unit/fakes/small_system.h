#pragma once
// A small system in memory for the cleaning run: its special folders, named
// by the shell (the temp folder with its backslash, as GetTempPathA gives
// it) and present on disk with the program's folder C:\Vantrel beside them;
// and everything a run could remove, as text.

#include <initializer_list>
#include <string>

#include "fakes/fake_shell.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "fakes/memory_url_cache.h"

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

// Every file with its bytes, every cache entry and the values of keys under
// HKEY_CURRENT_USER.
inline std::string SystemSnapshot(const MemoryFileSystem& files, const MemoryUrlCache& cache,
                                  const MemoryRegistry& registry,
                                  std::initializer_list<const char*> keys) {
  std::string text;
  for (const std::string& path : files.AllPaths()) text += path + "|" + files.Contents(path) + "\n";
  for (const std::string& url : cache.Urls()) text += url + "\n";
  for (const char* key : keys) {
    for (const std::string& name : registry.ValueNames(RootKey::kCurrentUser, key)) {
      text += std::string(key) + "=" + name + "\n";
    }
  }
  return text;
}

}  // namespace vantrel::testing
