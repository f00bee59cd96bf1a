// The registry cleaner against Wine's real registry, on keys of its own
// under HKEY_CURRENT_USER\Software and HKEY_LOCAL_MACHINE\Software.
#include "engine/registry_cleaner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "event_progress_view.h"
#include "platform/win32/registry_win32.h"

namespace vantrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// In UTF-16, so that keys whose names the code page cannot hold go too.
void DeleteTree(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  wchar_t name[256];
  for (;;) {
    DWORD size = 256;
    if (RegEnumKeyExW(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    DeleteTree(root, path + L"\\" + name);
  }
  RegCloseKey(key);
  RegDeleteKeyW(root, path.c_str());
}

void SetWideValue(HKEY root, const std::wstring& path, const std::wstring& name) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"),
                           2 * sizeof(wchar_t)),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

DWORD ValueCount(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 0xFFFFFFFF;
  DWORD values = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return values;
}

void SetValue(HKEY root, const std::string& path, const std::string& name) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS)
      << path;
  const char data[] = "data";
  ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                           sizeof data),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

// The value names of the key, in enumeration order; "<no key>" when it is
// missing.
std::vector<std::string> ValueNames(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {"<no key>"};
  std::vector<std::string> names;
  char name[512];
  for (DWORD index = 0;; ++index) {
    DWORD size = sizeof name;
    if (RegEnumValueA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, size);
  }
  RegCloseKey(key);
  return names;
}

class RegistryCleanerWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(HKEY_CURRENT_USER, Wide(top));
    DeleteTree(HKEY_LOCAL_MACHINE, Wide(top));
  }
  void TearDown() override {
    DeleteTree(HKEY_CURRENT_USER, Wide(top));
    DeleteTree(HKEY_LOCAL_MACHINE, Wide(top));
  }

  const std::string top = "Software\\VantrelTest" + std::to_string(GetCurrentProcessId());
  Win32Registry registry;
  winetest::EventProgressView view;
  RegistryCleaner cleaner{registry, view};
};

TEST_F(RegistryCleanerWineTest, AUserKeyLosesItsValuesAndDefaultValueButKeepsItsSubKeys) {
  const std::string test = top + "\\Test";
  SetValue(HKEY_CURRENT_USER, test, "");
  SetValue(HKEY_CURRENT_USER, test, "a");
  SetValue(HKEY_CURRENT_USER, test, "b");
  SetValue(HKEY_CURRENT_USER, test + "\\Sub", "c");
  SetValue(HKEY_CURRENT_USER, test + "\\Sub", "");
  const std::string userKey = "Reg:HKEY_CURRENT_USER\\" + test;

  cleaner.PurgeKeyPath(userKey.substr(4));

  EXPECT_THAT(ValueNames(HKEY_CURRENT_USER, test), IsEmpty());
  EXPECT_THAT(ValueNames(HKEY_CURRENT_USER, test + "\\Sub"), UnorderedElementsAre("c", ""));
  EXPECT_THAT(view.events, IsEmpty());
}

TEST_F(RegistryCleanerWineTest, DeleteKeyValuesAnswersWhetherTheKeyOpened) {
  SetValue(HKEY_CURRENT_USER, top, "a");
  EXPECT_TRUE(cleaner.DeleteKeyValues(RootKey::kCurrentUser, top));
  EXPECT_FALSE(cleaner.DeleteKeyValues(RootKey::kCurrentUser, top + "\\Missing"));
  EXPECT_FALSE(cleaner.DeleteKeyValues(RootKey::kNone, top));
}

TEST_F(RegistryCleanerWineTest, AnAbbreviatedRootNameDeletesNothing) {
  SetValue(HKEY_CURRENT_USER, top + "\\Test", "a");

  cleaner.PurgeKeyPath("HKCU\\" + top + "\\Test");

  EXPECT_THAT(ValueNames(HKEY_CURRENT_USER, top + "\\Test"), ElementsAre("a"));
}

// Names the code page cannot hold (Thai) come back from the A functions as
// "?", and a name longer than the A buffers ended the deletion of its key:
// every value goes whatever its name, and the walk reaches every sub-key.
TEST_F(RegistryCleanerWineTest, EveryValueGoesWhateverItsNameAndEverySubKeyIsReached) {
  const std::wstring thai = L"\x0E44\x0E1F\x0E25\x0E4C\x0E25\x0E48\x0E32\x0E2A\x0E38\x0E14";
  const std::wstring names = Wide(top) + L"\\Names";
  for (const std::wstring& name :
       {std::wstring(), std::wstring(L"C:\\Program Files\\Acme Imaging\\Raw Importer 2\\bin\\x64\\plugins\\importer\\AcmeRawImporter.exe.FriendlyAppName"),
        std::wstring(L"\xCD5C\xADFC \xD30C\xC77C"), thai, std::wstring(16383, L'v'), std::wstring(L"z")}) {
    SetWideValue(HKEY_CURRENT_USER, names, name);
  }
  const std::wstring tree = Wide(top) + L"\\Tree";
  SetWideValue(HKEY_CURRENT_USER, tree + L"\\" + thai, L"clip");
  SetWideValue(HKEY_CURRENT_USER, tree + L"\\" + std::wstring(255, L'k'), L"clip");
  ASSERT_EQ(ValueCount(HKEY_CURRENT_USER, names), 6u);

  EXPECT_TRUE(cleaner.DeleteKeyValues(RootKey::kCurrentUser, top + "\\Names"));
  cleaner.PurgeKeyTree("HKEY_CURRENT_USER\\" + top + "\\Tree", 0, 1, false);

  EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, names), 0u);
  EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, tree + L"\\" + thai), 0u);
  EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, tree + L"\\" + std::wstring(255, L'k')), 0u);
}

TEST_F(RegistryCleanerWineTest, AHistoryTreeLosesTheValuesOfItsSubKeysOnly) {
  const std::string history = top + "\\HistoryList";
  SetValue(HKEY_LOCAL_MACHINE, history, "own");
  SetValue(HKEY_LOCAL_MACHINE, history + "\\1", "");
  SetValue(HKEY_LOCAL_MACHINE, history + "\\1", "clip");
  SetValue(HKEY_LOCAL_MACHINE, history + "\\2", "clip");
  SetValue(HKEY_LOCAL_MACHINE, history + "\\2\\Deeper", "keep");

  cleaner.PurgeKeyTree("HKEY_LOCAL_MACHINE\\" + history, 0, 1, false);

  EXPECT_THAT(ValueNames(HKEY_LOCAL_MACHINE, history), ElementsAre("own"));
  EXPECT_THAT(ValueNames(HKEY_LOCAL_MACHINE, history + "\\1"), IsEmpty());
  EXPECT_THAT(ValueNames(HKEY_LOCAL_MACHINE, history + "\\2"), IsEmpty());
  EXPECT_THAT(ValueNames(HKEY_LOCAL_MACHINE, history + "\\2\\Deeper"), ElementsAre("keep"));
}

TEST_F(RegistryCleanerWineTest, APlayerThatIsNotInstalledStillCountsItsStep) {
  // A fresh prefix has no RealNetworks keys.
  int done = 1;

  cleaner.CleanMediaList(2, done, 3, 333);

  EXPECT_EQ(done, 2);
  EXPECT_THAT(view.events, ElementsAre("step Real One Player 6.0", "count 2/3", "overall.pos 333",
                                       "category.pos 1000"));
}

}  // namespace
}  // namespace vantrel
