#include <gtest/gtest.h>

#include "settings/setup_data.h"

namespace vantrel {
namespace {

struct KeyNameCase {
  const char* fullName;
  RootKey root;
  const char* subKey;
};

class KeyNameTest : public ::testing::TestWithParam<KeyNameCase> {};

TEST_P(KeyNameTest, SplitsIntoRootAndSubKey) {
  EXPECT_EQ(SetupData::RootKeyOf(GetParam().fullName), GetParam().root);
  EXPECT_EQ(SetupData::SubKeyOf(GetParam().fullName), GetParam().subKey);
}

INSTANTIATE_TEST_SUITE_P(
    Names, KeyNameTest,
    ::testing::Values(
        KeyNameCase{"HKEY_CLASSES_ROOT\\.txt", RootKey::kClassesRoot, ".txt"},
        KeyNameCase{"HKEY_CURRENT_USER\\Software\\Test", RootKey::kCurrentUser, "Software\\Test"},
        KeyNameCase{"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\B", RootKey::kLocalMachine, "SOFTWARE\\A\\B"},
        KeyNameCase{"HKEY_USERS\\.DEFAULT\\Software", RootKey::kUsers, ".DEFAULT\\Software"},
        KeyNameCase{"HKEY_CURRENT_CONFIG\\System", RootKey::kCurrentConfig, "System"},
        // No backslash: the root itself.
        KeyNameCase{"HKEY_LOCAL_MACHINE", RootKey::kLocalMachine, ""},
        KeyNameCase{"HKEY_CURRENT_USER\\", RootKey::kCurrentUser, ""},
        // Abbreviations and other letter cases are not root names.
        KeyNameCase{"HKCU\\Software\\Test", RootKey::kNone, "Software\\Test"},
        KeyNameCase{"HKLM\\SOFTWARE", RootKey::kNone, "SOFTWARE"},
        KeyNameCase{"HKCR\\.txt", RootKey::kNone, ".txt"},
        KeyNameCase{"HKU\\.DEFAULT", RootKey::kNone, ".DEFAULT"},
        KeyNameCase{"hkey_current_user\\Software", RootKey::kNone, "Software"},
        KeyNameCase{"", RootKey::kNone, ""},
        KeyNameCase{"Software\\Test", RootKey::kNone, "Test"},
        // As the registry editor copies it: the root name is found anywhere,
        // the sub-key starts after the first backslash all the same.
        KeyNameCase{"내 컴퓨터\\HKEY_CURRENT_USER\\Software", RootKey::kCurrentUser,
                    "HKEY_CURRENT_USER\\Software"},
        // The names are tried in a fixed order, not by where they stand.
        KeyNameCase{"HKEY_LOCAL_MACHINE\\SOFTWARE\\HKEY_CURRENT_USER", RootKey::kCurrentUser,
                    "SOFTWARE\\HKEY_CURRENT_USER"},
        KeyNameCase{"HKEY_USERS\\HKEY_CLASSES_ROOT", RootKey::kClassesRoot, "HKEY_CLASSES_ROOT"}));

}  // namespace
}  // namespace vantrel
