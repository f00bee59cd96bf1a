#include "settings/entry_editor.h"

#include <algorithm>
#include <vector>

#include "engine/directory_pattern.h"
#include "platform/message_box.h"
#include "settings/setup_data.h"

namespace vantrel {

namespace {

constexpr std::size_t kShortestDirectory = 4;  // "C:\A"; "C:\" is a drive root
constexpr std::size_t kShortestKeyName = 6;

void RemoveFirstEqual(std::vector<std::string>& strings, const std::string& text) {
  const auto found = std::find(strings.begin(), strings.end(), text);
  if (found != strings.end()) strings.erase(found);
}

}  // namespace

std::string ProgramTitleOf(const std::string& programFileName) {
  const std::string::size_type slash = programFileName.rfind('\\');
  std::string name = slash == std::string::npos ? programFileName : programFileName.substr(slash + 1);
  const std::string::size_type dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

void EntryEditor::Fill() {
  view_.SetNameText(entry_.name);
  for (const std::string& key : entry_.regKeys) view_.Strings().Add(key);
  for (const std::string& dir : entry_.dirs) view_.Strings().Add(dir);
  view_.SetSubfoldersTicked(entry_.includeSubfolders);
  view_.EnableDelete(false);
}

void EntryEditor::AddDirectory(const std::optional<std::string>& folder) {
  if (!folder) return;
  if (folder->size() < kShortestDirectory) {
    view_.Messages().Show("제정신 인가요?\n하드 날리셔도 게시판에 항의하지 마세요. ^^;", "치명적인 ERROR",
                          mb::kIconHand);
    return;
  }
  if (ShapeOfDirectory(*folder) == DirectoryShape::kNotPattern) {
    view_.Messages().Show(kNotAPatternMessage, kNotAPatternCaption, mb::kIconHand);
    return;
  }
  if (!StartsFromRoot(*folder)) {
    view_.Messages().Show(kNotFromRootMessage, kNotAPatternCaption, mb::kIconHand);
    return;
  }
  const std::string text = kDirPrefix + *folder;
  view_.Strings().Add(text);
  entry_.dirs.push_back(text);
}

void EntryEditor::AddRegistryKey(const std::optional<std::string>& keyName) {
  if (!keyName) return;
  if (keyName->size() < kShortestKeyName) {
    view_.Messages().Show("레지스트리를 제대로 넣어주세요", view_.DefaultTitle(), mb::kOk);
    return;
  }
  const std::string text = kRegPrefix + *keyName;
  view_.Strings().Add(text);
  entry_.regKeys.push_back(text);
}

int EntryEditor::FirstSelected() {
  EntryStringList& strings = view_.Strings();
  const int count = strings.Count();
  for (int index = 0; index < count; ++index) {
    if (strings.IsSelected(index)) return index;
  }
  return -1;
}

void EntryEditor::DeleteSelected() {
  const int index = FirstSelected();
  if (index < 0) {
    view_.EnableDelete(false);
    return;
  }
  const std::string text = view_.Strings().Text(index);
  if (text.compare(0, 4, kDirPrefix) == 0) {
    RemoveFirstEqual(entry_.dirs, text);
  } else {
    RemoveFirstEqual(entry_.regKeys, text);
  }
  view_.Strings().Remove(index);
  UpdateDeleteButton();
}

void EntryEditor::UpdateDeleteButton() { view_.EnableDelete(FirstSelected() >= 0); }

bool EntryEditor::Accept() {
  entry_.name = view_.NameText();
  entry_.includeSubfolders = view_.SubfoldersTicked();
  if (entry_.name.empty()) {
    view_.Messages().Show("이름을 넣으세요.", "이름", mb::kOk);
    return false;
  }
  return true;
}

}  // namespace vantrel
