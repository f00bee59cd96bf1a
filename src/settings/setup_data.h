#pragma once
// The program's one settings record and the user's own cleaning entries.

#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vantrel {

class ArchiveReader;
class ArchiveWriter;
class MessageBoxes;

// A named group of directories ("Dir:" + path) and registry keys ("Reg:" +
// full key name); consumers drop the first four characters.
class UserEntry {
 public:
  virtual ~UserEntry() = default;

  std::string name;
  std::vector<std::string> dirs;
  std::vector<std::string> regKeys;
  bool includeSubfolders = false;
};

class SetupData {
 public:
  static constexpr int kFileVersion = 10;

  enum class LoadResult {
    kLoaded,
    kWrongVersion,  // the message was shown; nothing was read
    kDamaged,       // the file ended early or a length ran past its end
  };

  SetupData() = default;
  SetupData(const SetupData&) = delete;
  SetupData& operator=(const SetupData&) = delete;
  virtual ~SetupData() = default;

  void Store(ArchiveWriter& archive) const;
  // On damage, stops there: switches read before it stay, entries read
  // completely stay, a partly read entry is dropped.
  LoadResult Load(ArchiveReader& archive, MessageBoxes& messages);

  // Appends a copy of source (which stays the caller's) and returns it.
  UserEntry* AddEntry(const UserEntry& source);
  // Index of entry in userEntries by identity, or -1.
  int FindEntry(const UserEntry* entry) const;
  int CountEnabledCategories() const;
  int CountUserItems() const;
  // True when path (with or without its trailing backslash, same letter
  // case) is one of the five special folders or a directory of a user entry.
  bool IsCleaningFolder(std::string path) const;

  // The root key a full key name such as "HKEY_CURRENT_USER\Software\X"
  // names, or RootKey::kNone; and its sub-key ("Software\X"), everything
  // after the first backslash or "" when there is none.
  static RootKey RootKeyOf(std::string fullName);
  static std::string SubKeyOf(std::string fullName);

  bool cleanCache = true;
  bool cleanCookie = true;
  bool cleanRecent = true;
  bool cleanHistory = true;
  bool cleanTemp = true;
  bool cleanRecycleBin = true;
  bool cleanIndexEntry = true;
  bool cleanTypedUrl = true;
  bool cleanMediaPlayer = true;
  bool cleanRealPlayer = true;
  bool cleanRealOne = true;

  std::string cacheFolder;
  std::string cookieFolder;
  std::string recentFolder;
  std::string historyFolder;
  std::string tempFolder;

  std::vector<std::unique_ptr<UserEntry>> userEntries;

 private:
  // The switches in the order the file keeps them, which is not the order
  // they are declared in.
  template <typename Self, typename Visit>
  static void ForEachSwitchInFileOrder(Self& self, Visit visit);
};

}  // namespace vantrel
