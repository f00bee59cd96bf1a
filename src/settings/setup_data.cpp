#include "settings/setup_data.h"

#include <cstdint>

#include "platform/message_box.h"
#include "settings/archive.h"

namespace vantrel {

template <typename Self, typename Visit>
void SetupData::ForEachSwitchInFileOrder(Self& self, Visit visit) {
  for (auto* flag : {&self.cleanCache, &self.cleanCookie, &self.cleanHistory, &self.cleanTemp,
                     &self.cleanRecent, &self.cleanRecycleBin, &self.cleanTypedUrl,
                     &self.cleanIndexEntry, &self.cleanMediaPlayer, &self.cleanRealPlayer,
                     &self.cleanRealOne}) {
    if (!visit(*flag)) return;
  }
}

namespace {

void StoreStrings(ArchiveWriter& archive, const std::vector<std::string>& strings) {
  archive.WriteInt(static_cast<std::int32_t>(strings.size()));
  for (const auto& text : strings) archive.WriteString(text);
}

// Grows strings one complete string at a time, so a damaged count costs
// no more memory than the file really holds.
bool LoadStrings(ArchiveReader& archive, std::vector<std::string>& strings) {
  strings.clear();
  std::int32_t count = 0;
  if (!archive.ReadInt(count)) return false;
  for (std::int32_t i = 0; i < count; ++i) {
    std::string text;
    if (!archive.ReadString(text)) return false;
    strings.push_back(std::move(text));
  }
  return true;
}

}  // namespace

void SetupData::Store(ArchiveWriter& archive) const {
  archive.WriteInt(kFileVersion);
  ForEachSwitchInFileOrder(*this, [&](const bool& flag) {
    archive.WriteBool(flag);
    return true;
  });
  archive.WriteInt(static_cast<std::int32_t>(userEntries.size()));
  for (const auto& entry : userEntries) {
    archive.WriteBool(entry->includeSubfolders);
    archive.WriteString(entry->name);
    StoreStrings(archive, entry->dirs);
    StoreStrings(archive, entry->regKeys);
  }
}

SetupData::LoadResult SetupData::Load(ArchiveReader& archive, MessageBoxes& messages) {
  std::int32_t version = 0;
  if (!archive.ReadInt(version)) return LoadResult::kDamaged;
  if (version != kFileVersion) {
    messages.Show("Save 파일 버젼이 다릅니다.", "ERROR", mb::kOk);
    return LoadResult::kWrongVersion;
  }
  ForEachSwitchInFileOrder(*this, [&](bool& flag) { return archive.ReadBool(flag); });

  std::int32_t count = 0;
  if (!archive.ReadInt(count)) return LoadResult::kDamaged;
  userEntries.clear();
  for (std::int32_t i = 0; i < count; ++i) {
    auto entry = std::make_unique<UserEntry>();
    if (!archive.ReadBool(entry->includeSubfolders) || !archive.ReadString(entry->name) ||
        !LoadStrings(archive, entry->dirs) || !LoadStrings(archive, entry->regKeys)) {
      return LoadResult::kDamaged;
    }
    userEntries.push_back(std::move(entry));
  }
  return LoadResult::kLoaded;
}

UserEntry* SetupData::AddEntry(const UserEntry& source) {
  auto entry = std::make_unique<UserEntry>();
  entry->name = source.name;
  entry->dirs = source.dirs;
  entry->regKeys = source.regKeys;
  entry->includeSubfolders = source.includeSubfolders;
  userEntries.push_back(std::move(entry));
  return userEntries.back().get();
}

int SetupData::FindEntry(const UserEntry* entry) const {
  for (std::size_t i = 0; i < userEntries.size(); ++i) {
    if (userEntries[i].get() == entry) return static_cast<int>(i);
  }
  return -1;
}

int SetupData::CountEnabledCategories() const {
  int count = 0;
  ForEachSwitchInFileOrder(*this, [&](const bool& flag) {
    count += flag ? 1 : 0;
    return true;
  });
  return count;
}

int SetupData::CountUserItems() const {
  int count = 0;
  for (const auto& entry : userEntries) {
    count += static_cast<int>(entry->dirs.size() + entry->regKeys.size());
  }
  return count;
}

}  // namespace vantrel
