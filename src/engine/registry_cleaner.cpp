#include "engine/registry_cleaner.h"

#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <vector>

#include "platform/progress_view.h"
#include "settings/setup_data.h"

namespace vantrel {

namespace {

// Value and sub-key names, however long the registry lets them be: 16,383
// characters, each of which the port may hand over as up to four bytes
// (a name the code page cannot spell), one byte more, and the terminator.
// A name that did not fit would end the enumeration and keep every value
// after it.
constexpr std::uint32_t kNameBufferSize = 65536;

struct NameBuffer {
  std::vector<char> bytes = std::vector<char>(kNameBufferSize);
  std::uint32_t size = kNameBufferSize;
  char* Text() { return bytes.data(); }
  void Clear() {
    std::fill(bytes.begin(), bytes.end(), '\0');
    size = kNameBufferSize;
  }
};

std::string ChildKey(const std::string& key, const char* name) {
  // A name of its own when the walk starts at a root: a sub-key path never
  // begins with a backslash.
  return key.empty() ? std::string(name) : key + "\\" + name;
}

std::string CountText(int current, int total) {
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d", current, total);
  return text;
}

// Each list keeps its entries in keys numbered from 1 to 19.
constexpr int kNumberedKeys = 19;

constexpr const char* kRealPlayer8Preferences =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\";
constexpr const char* kRealOnePreferences =
    "HKEY_CURRENT_USER\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\";

}  // namespace

bool RegistryCleaner::DeleteKeyValues(RootKey root, const std::string& subKey) {
  auto key = registry_.OpenKey(root, subKey);
  if (!key) return false;
  // Each deletion moves the later values down one index, so the next value
  // is always at the index of the values that would not go.
  std::uint32_t kept = 0;
  NameBuffer name;
  name.Clear();
  while (key->EnumValue(kept, name.Text(), name.size)) {
    if (!removals_.DeleteValue(*key, root, subKey, name.Text())) ++kept;
    name.Clear();
  }
  return true;
}

void RegistryCleaner::WalkKeyValues(RootKey root, const std::string& subKey, int depth,
                                    int maxDepth, bool deleteAtTop) {
  auto key = registry_.OpenKey(root, subKey);
  if (!key) return;
  if (depth != 0 || deleteAtTop) DeleteKeyValues(root, subKey);
  if (depth == maxDepth) return;
  NameBuffer name;
  name.Clear();
  for (std::uint32_t index = 0; key->EnumKey(index, name.Text(), name.size); ++index) {
    WalkKeyValues(root, ChildKey(subKey, name.Text()), depth + 1, maxDepth, deleteAtTop);
    name.Clear();
  }
}

void RegistryCleaner::PurgeKeyTree(std::string fullName, int depth, int maxDepth,
                                   bool deleteAtTop) {
  WalkKeyValues(SetupData::RootKeyOf(fullName), SetupData::SubKeyOf(fullName), depth, maxDepth,
                deleteAtTop);
}

void RegistryCleaner::PurgeKeyPath(std::string fullName) {
  DeleteKeyValues(SetupData::RootKeyOf(fullName), SetupData::SubKeyOf(fullName));
}

void RegistryCleaner::CleanMediaList(int kind, int& done, int total, int step) {
  const char* label = nullptr;
  void (RegistryCleaner::*work)() = nullptr;
  switch (kind) {
    case 0:
      label = "윈도우 미디어 XP 8.0 주소";
      work = &RegistryCleaner::CleanWindowsMediaList;
      break;
    case 1:
      label = "Real 8 Basic 6.0";
      work = &RegistryCleaner::CleanRealPlayer8Lists;
      break;
    case 2:
      label = "Real One Player 6.0";
      work = &RegistryCleaner::CleanRealOneLists;
      break;
    default:
      return;
  }
  view_.StepLabel().SetText(label);
  view_.CountLabel().SetText(CountText(done + 1, total));
  view_.OverallBar().SetPos(done * step);
  (this->*work)();
  view_.CategoryBar().SetPos(1000);
  ++done;
}

void RegistryCleaner::CleanWindowsMediaList() {
  DeleteKeyValues(RootKey::kCurrentUser, "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList");
}

void RegistryCleaner::CleanRealPlayer8Lists() {
  const std::string preferences = kRealPlayer8Preferences;
  PurgeNumberedKeys(preferences + "MostRecentClips");
  PurgeKeyTree(preferences + "HistoryList", 0, 1, false);
  PurgeNumberedKeys(preferences + "OpenLocationClips");
}

void RegistryCleaner::CleanRealOneLists() {
  const std::string preferences = kRealOnePreferences;
  PurgeNumberedKeys(preferences + "OpenLocationClips");
  PurgeKeyPath(preferences + "LastOpenFileDir");
  PurgeNumberedKeys(preferences + "MostRecentClips");
}

void RegistryCleaner::PurgeNumberedKeys(const std::string& fullNameStem) {
  for (int number = 1; number <= kNumberedKeys; ++number) {
    PurgeKeyPath(fullNameStem + std::to_string(number));
  }
}

}  // namespace vantrel
