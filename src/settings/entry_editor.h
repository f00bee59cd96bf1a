#pragma once
// What the entry editor does with the entry it is given: the rules of its
// list of "Dir:" and "Reg:" strings, the refusals and OK. The window only
// binds its controls to the view below and runs the folder browser and the
// key window.

#include <optional>
#include <string>

namespace vantrel {

class MessageBoxes;
class UserEntry;

// The editor's list box of stored strings. It sorts what it is given (so
// every "Dir:" string stands before every "Reg:" string).
class EntryStringList {
 public:
  virtual ~EntryStringList() = default;
  virtual void Add(const std::string& text) = 0;
  virtual int Count() = 0;
  virtual bool IsSelected(int index) = 0;
  virtual std::string Text(int index) = 0;
  virtual void Remove(int index) = 0;
};

class EntryEditorView {
 public:
  virtual ~EntryEditorView() = default;
  virtual EntryStringList& Strings() = 0;
  virtual std::string NameText() = 0;
  virtual void SetNameText(const std::string& text) = 0;
  virtual bool SubfoldersTicked() = 0;
  virtual void SetSubfoldersTicked(bool ticked) = 0;
  virtual void EnableDelete(bool enable) = 0;
  // Message boxes owned by the editor.
  virtual MessageBoxes& Messages() = 0;
  // The title message boxes get when the program names none: the program
  // file's name without its extension.
  virtual std::string DefaultTitle() = 0;
};

inline constexpr char kDirPrefix[] = "Dir:";
// A directory with "*" anywhere but as a whole folder name after the first
// would clean nothing; the editor says why instead of storing it.
inline constexpr char kNotAPatternCaption[] = "경로 오류";
inline constexpr char kNotAPatternMessage[] =
    "이 경로는 저장할 수 없습니다.\n"
    "'*'는 폴더 이름 하나를 통째로 대신할 때만 쓸 수 있고, 맨 앞(드라이브) 자리에는 쓸 수 없습니다.\n"
    "예: %LOCALAPPDATA%\\Google\\Chrome\\User Data\\*\\Cache";
inline constexpr char kNotFromRootMessage[] =
    "이 경로는 저장할 수 없습니다.\n"
    "드라이브부터 쓴 전체 경로(C:\\...)나 환경 변수로 시작하는 경로(%LOCALAPPDATA%\\...)를 넣어 주세요.";
inline constexpr char kRegPrefix[] = "Reg:";

class EntryEditor {
 public:
  // entry stays the caller's and is changed in place: nothing the editor
  // does is undone by Cancel.
  EntryEditor(UserEntry& entry, EntryEditorView& view) : entry_(entry), view_(view) {}

  // Name, strings (keys first, the list sorts them) and check box; Delete off.
  void Fill();
  // A folder the browser gave or the user typed (nullopt: none). A drive
  // root or a virtual folder (shorter than four bytes) is refused, and so
  // are a relative path and a "*" that is not a whole folder name after the
  // first.
  void AddDirectory(const std::optional<std::string>& folder);
  // A key name the key window gave (nullopt: it was cancelled). Five bytes
  // or fewer are refused; nothing else is checked.
  void AddRegistryKey(const std::optional<std::string>& keyName);
  // Removes the first selected string: its list item and the first equal
  // string of dirs or regKeys.
  void DeleteSelected();
  // Delete is enabled exactly when a string is selected.
  void UpdateDeleteButton();
  // Writes name and flag into the entry; false (after saying so) while the
  // name is empty, and the window stays open.
  bool Accept();

 private:
  int FirstSelected();

  UserEntry& entry_;
  EntryEditorView& view_;
};

// The title of a program that names none, from its file name: the name
// after the last backslash, without its extension (C:\X\Qorv.exe gives
// Qorv).
std::string ProgramTitleOf(const std::string& programFileName);

}  // namespace vantrel
