// One whole cleaning run through the progress window on the real system of
// the Wine prefix: every category seeded for real, cleaned, and everything
// around it left as it was.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <wininet.h>

#include <cstdio>

#include "engine/progress_dialog.h"
#include "engine/special_folders.h"
#include "platform/win32/shell_win32.h"
#include "settings/setup_data.h"
#include "system_seeding.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr char kMediaList[] = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
constexpr char kUserKey[] = "Software\\VantrelRunTest\\Recent";
constexpr char kKeptKey[] = "Software\\VantrelRunTest\\Kept";

int ValueCount(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyA(root, key.c_str(), &handle) != ERROR_SUCCESS) return -1;
  DWORD values = 0;
  RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(handle);
  return static_cast<int>(values);
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyA(root, key.c_str(), &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

// How many cache entries of a type are left (classic enumeration).
int CacheEntriesOfType(DWORD type) {
  std::vector<char> buffer(16384);
  auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
  DWORD size = static_cast<DWORD>(buffer.size());
  HANDLE find = FindFirstUrlCacheEntryA(nullptr, info, &size);
  if (find == nullptr) return 0;
  int count = 0;
  do {
    if ((info->CacheEntryType & type) != 0) ++count;
    size = static_cast<DWORD>(buffer.size());
  } while (FindNextUrlCacheEntryA(find, info, &size));
  FindCloseUrlCache(find);
  return count;
}

// Files left below folder, leaving out the cache's own index files, which
// WinINet keeps open while the program runs (so they cannot be deleted).
int FilesIn(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((WithSlash(folder) + "*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    const bool directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (directory && std::string(data.cFileName) != "." && std::string(data.cFileName) != ".." &&
        (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
      count += FilesIn(WithSlash(folder) + data.cFileName);
    } else if (!directory && lstrcmpiA(data.cFileName, "index.dat") != 0) {
      std::printf("left: %s\\%s\n", folder.c_str(), data.cFileName);
      ++count;
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return count;
}

TEST(CleaningRunWineTest, OneRunCleansEveryCategoryAndNothingElse) {
  SetupData settings;
  Win32Shell shell;
  FindSpecialFolders(shell, settings);
  for (const std::string* folder : {&settings.cacheFolder, &settings.cookieFolder,
                                    &settings.historyFolder, &settings.tempFolder,
                                    &settings.recentFolder}) {
    ASSERT_FALSE(folder->empty());
    MakeFolder(*folder);
  }

  // Files in every cleaned folder, and in the sub-folders of those cleaned
  // with sub-folders.
  WriteBytes(WithSlash(settings.cacheFolder) + "page.htm", "cache");
  MakeFolder(WithSlash(settings.cacheFolder) + "ABCD1234");
  WriteBytes(WithSlash(settings.cacheFolder) + "ABCD1234\\image.gif", "gif");
  WriteBytes(WithSlash(settings.cookieFolder) + "root@example.txt", "cookie");
  WriteBytes(WithSlash(settings.historyFolder) + "visit.dat", "history");
  MakeFolder(settings.tempFolder + "setup_tmp");
  WriteBytes(settings.tempFolder + "setup_tmp\\unpacked.bin", "temp");
  WriteBytes(settings.tempFolder + "one.tmp", "temp");
  WriteBytes(WithSlash(settings.recentFolder) + "letter.lnk", "recent");

  ASSERT_TRUE(SeedCacheEntriesOfEachType("example.com"));

  SetValue(HKEY_CURRENT_USER, kTypedUrls, "url1");
  SetValue(HKEY_CURRENT_USER, kTypedUrls, "url2");
  SetValue(HKEY_CURRENT_USER, kMediaList, "File0");
  SetValue(HKEY_CURRENT_USER, kUserKey, "MRU0");
  SetValue(HKEY_CURRENT_USER, kUserKey, "MRU1");
  SetValue(HKEY_CURRENT_USER, std::string(kUserKey) + "\\Child", "stays");
  SetValue(HKEY_CURRENT_USER, kKeptKey, "stays");

  SendToRecycleBin(ScratchFolder() + "binned.txt");
  SHQUERYRBINFO bin = {};
  bin.cbSize = sizeof bin;
  ASSERT_EQ(SHQueryRecycleBinA(nullptr, &bin), S_OK);
  ASSERT_GT(bin.i64NumItems, 0);

  // The user's own entry: a folder (with a link inside it) and a key.
  const std::string userDir = ScratchFolder() + "userdir";
  WriteBytes(userDir + "\\mine.txt", "mine");
  WriteBytes(userDir + "\\sub\\deep.txt", "deep");
  WriteBytes(ScratchFolder() + "sibling\\inner\\keep.txt", "keep");
  UserEntry entry;
  entry.name = "내 폴더";
  entry.includeSubfolders = true;
  entry.dirs = {"Dir:" + userDir};
  entry.regKeys = {std::string("Reg:HKEY_CURRENT_USER\\") + kUserKey};
  settings.AddEntry(entry);

  ProgressDialog progress;
  ASSERT_TRUE(progress.Create(nullptr));
  ShowAndPaint(progress.hwnd());
  progress.RunCleaning(&settings);

  EXPECT_EQ(FilesIn(settings.cacheFolder), 0);
  EXPECT_EQ(FilesIn(settings.cookieFolder), 0);
  EXPECT_EQ(FilesIn(settings.historyFolder), 0);
  EXPECT_EQ(FilesIn(settings.tempFolder), 0);
  EXPECT_EQ(FilesIn(settings.recentFolder), 0);
  EXPECT_FALSE(FileExists(settings.tempFolder + "setup_tmp")) << "emptied sub-folders go";
  EXPECT_EQ(CacheEntriesOfType(COOKIE_CACHE_ENTRY), 0);
  EXPECT_EQ(CacheEntriesOfType(URLHISTORY_CACHE_ENTRY), 0);
  EXPECT_EQ(CacheEntriesOfType(NORMAL_CACHE_ENTRY), 0);
  EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, kTypedUrls), 0);
  EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, kMediaList), 0);
  EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, kUserKey), 0);
  ASSERT_EQ(SHQueryRecycleBinA(nullptr, &bin), S_OK);
  EXPECT_EQ(bin.i64NumItems, 0);

  EXPECT_FALSE(FileExists(userDir + "\\mine.txt"));
  EXPECT_FALSE(FileExists(userDir + "\\sub"));
  EXPECT_TRUE(FileExists(userDir)) << "the entry's own folder is emptied, not removed";
  EXPECT_EQ(ReadBytes(ScratchFolder() + "keep_target\\canary.txt"), "canary")
      << "nothing is deleted through a link";
  EXPECT_TRUE(FileExists(userDir + "\\link_to_keep"));
  EXPECT_EQ(ReadBytes(ScratchFolder() + "sibling\\inner\\keep.txt"), "keep");
  EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, std::string(kUserKey) + "\\Child"), 1);
  EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, kKeptKey), 1);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTypedUrls)) << "keys stay, only values go";

  char step[64] = {};
  char count[64] = {};
  GetDlgItemTextA(progress.hwnd(), IDC_PROGRESS_STEP_LABEL, step, sizeof step);
  GetDlgItemTextA(progress.hwnd(), IDC_PROGRESS_COUNT_LABEL, count, sizeof count);
  EXPECT_STREQ(step, "청소 끝.");
  EXPECT_STREQ(count, "13/13");
  EXPECT_TRUE(settings.cleanTemp && settings.cleanCache) << "no folder was refused";

  PumpPending();
  Capture(progress.hwnd()).SaveBmp(ScratchFolder() + "progress_after_run.bmp");
  RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kUserKey) + "\\Child").c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, kUserKey);
  RegDeleteKeyA(HKEY_CURRENT_USER, kKeptKey);
  progress.Destroy();
}

}  // namespace
}  // namespace vantrel
