// The settings window, the entry editor and the key window of the real
// Qorv.exe, driven from this program as a user would drive them: what he
// does there is what "SetupData.Sav" holds at exit and what the next run
// cleans. Wine's own windows (the folder browser, regedit) speak Korean here.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "program_driving.h"
#include "remote_controls.h"
#include "settings/setup_data.h"
#include "stored_settings.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

constexpr char kTitle[] = "Vantrel V.ZEL";
constexpr DWORD kWindowWait = 15000;
constexpr int kMessageText = 0xFFFF;
constexpr int kBrowserTree = 14145;
constexpr char kTestKey[] = "Software\\VantrelSettingsTest\\Recent";

// A window of this program with the registry editor's Korean title, which
// keeps the commands it receives (Wine's own editor ignores them).
class RegistryEditorStandIn {
 public:
  RegistryEditorStandIn() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &RegistryEditorStandIn::Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClass;
    RegisterClassA(&windowClass);
    commands.clear();
    // Topmost, so that a search by title meets it before the real editor.
    window = CreateWindowExA(WS_EX_TOPMOST, kClass, "레지스트리 편집기", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                             200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~RegistryEditorStandIn() { DestroyWindow(window); }

  // Runs this program's own messages until condition holds.
  static bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    return WaitUntil(
        [&] {
          MSG message;
          while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
          return condition();
        },
        milliseconds);
  }

  HWND window = nullptr;
  static inline std::vector<std::pair<WPARAM, LPARAM>> commands;

 private:
  static constexpr char kClass[] = "VantrelRegistryEditorStandIn";
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
      commands.emplace_back(wParam, lParam);
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
};

void SetText(HWND control, const std::string& text) {
  SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND WaitForOwnedWindow(HWND owner, int controlId) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = VisibleOwnedWindowWith(owner, controlId)) != nullptr; }, kWindowWait);
  return found;
}

void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool WaitUntilGone(HWND window) { return WaitUntil([&] { return !IsWindow(window); }, kWindowWait); }

// The lengths of a list box's strings, in its order. (LB_GETTEXT cannot
// come back from another program under Wine; the texts themselves are
// checked in the settings file.)
std::vector<int> ListBoxLengths(HWND list) {
  std::vector<int> lengths;
  const auto count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) lengths.push_back(static_cast<int>(SendMessageA(list, LB_GETTEXTLEN, i, 0)));
  return lengths;
}

std::vector<std::string> ListViewTexts(HWND list) {
  std::vector<std::string> texts;
  for (int i = 0; i < ListViewCount(list); ++i) texts.push_back(ListViewItemText(list, i));
  return texts;
}

// A mouse click on item index of a list box, as the user makes it.
void ClickListBoxItem(HWND list, int index) {
  const auto height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  const LPARAM at = MAKELPARAM(8, index * height + height / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
}

std::string DesktopFolder() {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE);
  return path;
}

void SwitchAllOff(SetupData& settings) {
  for (bool SetupData::*flag :
       {&SetupData::cleanCache, &SetupData::cleanCookie, &SetupData::cleanRecent, &SetupData::cleanHistory,
        &SetupData::cleanTemp, &SetupData::cleanRecycleBin, &SetupData::cleanIndexEntry, &SetupData::cleanTypedUrl,
        &SetupData::cleanMediaPlayer, &SetupData::cleanRealPlayer, &SetupData::cleanRealOne}) {
    settings.*flag = false;
  }
}

UserEntry Entry(const std::string& name, std::vector<std::string> dirs, std::vector<std::string> regKeys,
                bool includeSubfolders = false) {
  UserEntry entry;
  entry.name = name;
  entry.dirs = std::move(dirs);
  entry.regKeys = std::move(regKeys);
  entry.includeSubfolders = includeSubfolders;
  return entry;
}

// The text of the visible tooltip window owned by owner, or "".
std::string ShownToolTip(HWND owner) {
  HWND tip = VisibleOwnedWindow(owner, [](HWND window) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, TOOLTIPS_CLASSA) == 0;
  });
  return tip != nullptr ? TextOfWindow(tip) : std::string();
}

// Brings the pointer from the corner to rest on the middle of control.
void PointAt(HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  SetCursorPos(0, 0);
  Sleep(50);
  SetCursorPos((r.left + r.right) / 2 - 3, (r.top + r.bottom) / 2);
  Sleep(50);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

struct MessageSeen {
  std::string text;
  std::string caption;
};

class SettingsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeFolder(ScratchFolder() + "run_" + std::to_string(++runs));
    ASSERT_TRUE(CopyFileA(BuiltProgram("Qorv.exe").c_str(), (folder + "Qorv.exe").c_str(), FALSE));
    // A program set up before, with no entries: a first start would add the
    // ready-made cache entries.
    WriteSettings(SetupData());
  }

  void TearDown() override {
    if (qorv && !qorv->WaitForExit(0)) {
      PostMessageA(FindTestWindow(nullptr, kTitle), WM_CLOSE, 0, 0);
      qorv->WaitForExit(10000);
    }
  }

  void StartAndShow() {
    qorv = std::make_unique<RunningProgram>(folder + "Qorv.exe", "", folder);
    ASSERT_TRUE(qorv->Started());
    ASSERT_TRUE(WaitUntil(
        [&] {
          main = FindTestWindow(nullptr, kTitle);
          RECT r = {};
          if (main != nullptr) GetWindowRect(main, &r);
          return main != nullptr && IsWindowVisible(main) && !IsIconic(main) && r.left >= 0 && r.top >= 0;
        },
        30000))
        << "the main window never came on screen";
  }

  void Exit() {
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(qorv->WaitForExit(20000)) << "the program did not end";
    qorv.reset();
  }

  HWND OpenSettings() {
    Click(main, 1070);
    HWND settings = WaitForOwnedWindow(main, 1072);
    EXPECT_NE(settings, nullptr) << "the settings window did not open";
    return settings;
  }

  HWND OpenEditorForNewEntry(HWND settings) {
    Click(settings, 1081);
    HWND editor = WaitForOwnedWindow(settings, 1084);
    EXPECT_NE(editor, nullptr) << "the entry editor did not open";
    return editor;
  }

  // Opens the folder browser of the editor and leaves it to choose.
  HWND OpenFolderBrowser(HWND editor) {
    Click(editor, 1084);
    HWND browser = WaitForOwnedWindow(editor, kBrowserTree);
    EXPECT_NE(browser, nullptr) << "the folder browser did not open";
    return browser;
  }

  void ChooseInBrowser(HWND editor, const std::vector<std::string>& path) {
    HWND browser = OpenFolderBrowser(editor);
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(SelectFolderInBrowser(browser, path)) << "the folder is not in the browser's tree";
    Click(browser, IDOK);
    ASSERT_TRUE(WaitUntilGone(browser));
  }

  void AddKey(HWND editor, const std::string& key) {
    Click(editor, 1085);
    HWND keyWindow = WaitForOwnedWindow(editor, 1086);
    ASSERT_NE(keyWindow, nullptr) << "the key window did not open";
    SetText(GetDlgItem(keyWindow, 1087), key);
    Click(keyWindow, IDOK);
    ASSERT_TRUE(WaitUntilGone(keyWindow));
  }

  // Types text into the editor's path window and presses its "추가".
  void TypeDirectory(HWND editor, const std::string& text, const char* screenshot = nullptr) {
    Click(editor, 1101);
    HWND pathWindow = WaitForOwnedWindow(editor, 1095);
    ASSERT_NE(pathWindow, nullptr) << "the path window did not open";
    SetText(GetDlgItem(pathWindow, 1087), text);
    if (screenshot != nullptr) SaveScreenshot(pathWindow, screenshot);
    Click(pathWindow, IDOK);
    ASSERT_TRUE(WaitUntilGone(pathWindow));
  }

  // Waits for the message box owner shows, reads it and presses its OK.
  MessageSeen AnswerMessage(HWND owner) {
    HWND box = WaitForOwnedWindow(owner, kMessageText);
    if (box == nullptr) return MessageSeen{"<no message>", ""};
    MessageSeen seen{TextOfWindow(GetDlgItem(box, kMessageText)), TextOfWindow(box)};
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntilGone(box);
    return seen;
  }

  void SaveScreenshot(HWND window, const std::string& file) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(400);
    Capture capture(window);
    EXPECT_TRUE(capture.SaveBmp(ScratchFolder() + file));
  }

  void WriteSettings(const SetupData& settings) { WriteBytes(folder + "SetupData.Sav", StoredSettings(settings)); }
  std::string SavedSettings() { return ReadBytes(folder + "SetupData.Sav"); }

  static inline int runs = 0;
  std::string folder;
  std::unique_ptr<RunningProgram> qorv;
  HWND main = nullptr;
};

// Switches all off, one entry made in the real windows: the file holds
// exactly that at exit, and the next run cleans exactly that.
TEST_F(SettingsWindowTest, AnEntryMadeInTheWindowsIsSavedAndCleanedByTheNextRun) {
  const std::string target = MakeFolder(folder + "entry_target");
  const std::string nested = MakeFolder(target + "nested");
  WriteBytes(target + "a.tmp", "x");
  WriteBytes(nested + "b.tmp", "x");
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kTestKey, &key), ERROR_SUCCESS);
  RegSetValueExA(key, "first", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
  RegSetValueExA(key, "second", 0, REG_SZ, reinterpret_cast<const BYTE*>("y"), 2);
  RegCloseKey(key);

  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  HWND settings = OpenSettings();
  ASSERT_NE(settings, nullptr);
  HWND list = GetDlgItem(settings, 1083);
  EXPECT_EQ(ListViewCount(list), 0);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(settings, 1079)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(settings, 1082)));
  for (int box : {1072, 1073, 1074, 1075, 1076, 1077, 1078, 1080, 1098, 1099, 1100}) {
    EXPECT_EQ(SendMessageA(GetDlgItem(settings, box), BM_GETCHECK, 0, 0), BST_CHECKED) << box;
    Click(settings, box);
  }
  SaveScreenshot(settings, "settings_window.bmp");

  const std::pair<int, const char*> tips[] = {
      {1077, "윈도우의 휴지통."},
      {1081, "사용자의 청소 디렉토리,레지스트리 추가 버튼."},
      {IDCANCEL, "취소. 하지만 취소를해도 사용자 청소 설정은 남습니다."},
  };
  for (const auto& [id, tip] : tips) {
    // A tip shows once the pointer has rested on its control. A busy machine
    // can lose the moves that bring it there, so they come again every two
    // seconds, as a user moves the mouse again when no tip comes.
    DWORD pointed = 0;
    EXPECT_TRUE(WaitUntil(
        [&] {
          if (pointed == 0 || GetTickCount() - pointed >= 2000) {
            PointAt(GetDlgItem(settings, id));
            pointed = GetTickCount();
          }
          return ShownToolTip(settings) == tip;
        },
        10000))
        << "control " << id << " shows the tip \"" << ShownToolTip(settings) << "\"";
  }
  SetCursorPos(0, 0);

  HWND editor = OpenEditorForNewEntry(settings);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(SendMessageA(GetDlgItem(editor, 1091), BM_GETCHECK, 0, 0), BST_UNCHECKED)
      << "a new entry cleans sub-folders only when asked";
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, 1088)));
  SetText(GetDlgItem(editor, 1087), "내 청소");
  Click(editor, 1091);
  ChooseInBrowser(editor, {"(B:)", "settings_window_test", "run_" + std::to_string(runs), "entry_target"});
  ASSERT_FALSE(HasFatalFailure());
  const std::string keyName = std::string("HKEY_CURRENT_USER\\") + kTestKey;
  AddKey(editor, keyName);
  ASSERT_FALSE(HasFatalFailure());
  const std::string dir = "Dir:" + target.substr(0, target.size() - 1);
  EXPECT_EQ(ListBoxLengths(GetDlgItem(editor, 1083)),
            (std::vector<int>{static_cast<int>(dir.size()), static_cast<int>(keyName.size() + 4)}));
  SaveScreenshot(editor, "entry_editor.bmp");

  Click(editor, IDOK);
  ASSERT_TRUE(WaitUntilGone(editor)) << "OK did not close the editor";
  EXPECT_EQ(ListViewTexts(list), (std::vector<std::string>{"내 청소"}));
  Click(settings, IDOK);
  ASSERT_TRUE(WaitUntilGone(settings));
  ASSERT_NO_FATAL_FAILURE(Exit());

  SetupData expected;
  SwitchAllOff(expected);
  expected.AddEntry(Entry("내 청소", {dir}, {"Reg:" + keyName}, true));
  EXPECT_EQ(SavedSettings(), StoredSettings(expected));

  // The next run: the entry's two steps and nothing else.
  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  Click(main, 1068);
  HWND progress = WaitForOwnedWindow(main, 1056);
  ASSERT_NE(progress, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return TextOfWindow(GetDlgItem(progress, 1043)) == "청소 끝."; }, 60000));
  EXPECT_EQ(TextOfWindow(GetDlgItem(progress, 1095)), "2/2");
  EXPECT_FALSE(FileExists(target + "a.tmp"));
  EXPECT_FALSE(FileExists(nested + "b.tmp"));
  EXPECT_FALSE(FileExists(nested)) << "the emptied sub-folder stays";
  EXPECT_TRUE(FileExists(target));
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, kTestKey, &key), ERROR_SUCCESS);
  DWORD values = 99;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(key);
  EXPECT_EQ(values, 0u);
  ASSERT_NO_FATAL_FAILURE(Exit());
}

// Every refusal says why and adds nothing; Cancel in the settings window
// keeps the entry made meanwhile but not the switch that was changed.
TEST_F(SettingsWindowTest, RefusalsShowTheirMessagesAndCancelKeepsEntriesButNotSwitches) {
  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  HWND settings = OpenSettings();
  ASSERT_NE(settings, nullptr);
  Click(settings, 1077);  // 휴지통 off, then Cancel
  HWND editor = OpenEditorForNewEntry(settings);
  ASSERT_NE(editor, nullptr);
  HWND strings = GetDlgItem(editor, 1083);

  Click(editor, IDOK);
  const MessageSeen noName = AnswerMessage(editor);
  EXPECT_EQ(noName.text, "이름을 넣으세요.");
  EXPECT_EQ(noName.caption, "이름");
  EXPECT_TRUE(IsWindowVisible(editor)) << "OK with an empty name closed the editor";

  ChooseInBrowser(editor, {"(B:)"});
  ASSERT_FALSE(HasFatalFailure());
  const MessageSeen root = AnswerMessage(editor);
  EXPECT_EQ(root.text, "제정신 인가요?\n하드 날리셔도 게시판에 항의하지 마세요. ^^;");
  EXPECT_EQ(root.caption, "치명적인 ERROR");

  HWND browser = OpenFolderBrowser(editor);
  ASSERT_NE(browser, nullptr);
  Click(browser, IDCANCEL);
  ASSERT_TRUE(WaitUntilGone(browser));

  Click(editor, 1085);
  HWND keyWindow = WaitForOwnedWindow(editor, 1086);
  ASSERT_NE(keyWindow, nullptr);
  SetText(GetDlgItem(keyWindow, 1087), "HKEY_CURRENT_USER");
  SaveScreenshot(keyWindow, "key_window.bmp");
  Click(keyWindow, IDCANCEL);
  ASSERT_TRUE(WaitUntilGone(keyWindow));

  AddKey(editor, "HKEY_");
  ASSERT_FALSE(HasFatalFailure());
  const MessageSeen shortKey = AnswerMessage(editor);
  EXPECT_EQ(shortKey.text, "레지스트리를 제대로 넣어주세요");
  EXPECT_EQ(shortKey.caption, "Qorv");
  EXPECT_EQ(SendMessageA(strings, LB_GETCOUNT, 0, 0), 0) << "a refusal added something";

  AddKey(editor, "HKEY_U");
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(SendMessageA(strings, LB_GETCOUNT, 0, 0), 1);
  SetText(GetDlgItem(editor, 1087), "남는 항목");
  Click(editor, IDOK);
  ASSERT_TRUE(WaitUntilGone(editor));
  EXPECT_EQ(ListViewTexts(GetDlgItem(settings, 1083)), (std::vector<std::string>{"남는 항목"}));

  Click(settings, IDCANCEL);
  ASSERT_TRUE(WaitUntilGone(settings));
  ASSERT_NO_FATAL_FAILURE(Exit());

  SetupData expected;
  expected.AddEntry(Entry("남는 항목", {}, {"Reg:HKEY_U"}));
  EXPECT_EQ(SavedSettings(), StoredSettings(expected));
}

// A directory typed in full is stored as written, pattern and all; a "*"
// that is no whole folder name is refused with the reason.
TEST_F(SettingsWindowTest, APathTypedInFullIsStoredAsWrittenAndAStarInsideANameIsRefused) {
  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  HWND settings = OpenSettings();
  ASSERT_NE(settings, nullptr);
  HWND editor = OpenEditorForNewEntry(settings);
  ASSERT_NE(editor, nullptr);
  HWND strings = GetDlgItem(editor, 1083);

  TypeDirectory(editor, "%LOCALAPPDATA%\\Google\\Chrome\\User Data\\Cache*");
  ASSERT_FALSE(HasFatalFailure());
  const MessageSeen refused = AnswerMessage(editor);
  EXPECT_EQ(refused.caption, "경로 오류");
  EXPECT_NE(refused.text.find("'*'는 폴더 이름 하나를 통째로"), std::string::npos) << refused.text;
  EXPECT_EQ(SendMessageA(strings, LB_GETCOUNT, 0, 0), 0) << "a refused path was added";

  const std::string pattern = "%LOCALAPPDATA%\\Google\\Chrome\\User Data\\*\\Cache";
  TypeDirectory(editor, pattern, "path_window.bmp");
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(SendMessageA(strings, LB_GETCOUNT, 0, 0), 1);
  SetText(GetDlgItem(editor, 1087), "크롬 캐시");
  SaveScreenshot(editor, "entry_editor_with_path.bmp");
  Click(editor, IDOK);
  ASSERT_TRUE(WaitUntilGone(editor));
  Click(settings, IDOK);
  ASSERT_TRUE(WaitUntilGone(settings));
  ASSERT_NO_FATAL_FAILURE(Exit());

  SetupData expected;
  expected.AddEntry(Entry("크롬 캐시", {"Dir:" + pattern}, {}));
  EXPECT_EQ(SavedSettings(), StoredSettings(expected));
}

// Return edits the selected entry itself and its item keeps the old text
// until the window opens again; the Delete key deletes without asking.
TEST_F(SettingsWindowTest, ReturnEditsTheLiveEntryAndTheDeleteKeyDeletes) {
  SetupData seeded;
  seeded.AddEntry(Entry("a", {"Dir:C:\\a"}, {}));
  seeded.AddEntry(Entry("b", {"Dir:C:\\b"}, {"Reg:HKEY_CURRENT_USER\\Software\\b"}, true));
  seeded.AddEntry(Entry("c", {}, {"Reg:HKEY_CURRENT_USER\\Software\\c"}));
  WriteSettings(seeded);

  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  HWND settings = OpenSettings();
  ASSERT_NE(settings, nullptr);
  HWND list = GetDlgItem(settings, 1083);
  EXPECT_EQ(ListViewTexts(list), (std::vector<std::string>{"a", "b", "c"}));

  ASSERT_TRUE(SelectListViewItem(list, 1));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(settings, 1079)) && IsWindowEnabled(GetDlgItem(settings, 1082)); }, kWindowWait))
      << "a selection did not enable 설정 and 삭제";
  PostKey(list, VK_RETURN);
  HWND editor = WaitForOwnedWindow(settings, 1084);
  ASSERT_NE(editor, nullptr) << "Return did not open the selected entry";
  EXPECT_EQ(TextOfWindow(GetDlgItem(editor, 1087)), "b");
  EXPECT_EQ(SendMessageA(GetDlgItem(editor, 1091), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(GetDlgItem(editor, 1083), LB_GETCOUNT, 0, 0), 2);
  SetText(GetDlgItem(editor, 1087), "b2");
  Click(editor, IDOK);
  ASSERT_TRUE(WaitUntilGone(editor));
  EXPECT_EQ(ListViewTexts(list), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(IsWindow(settings)) << "Return ended the settings window";

  ASSERT_TRUE(SelectListViewItem(list, 0));
  PostKey(list, VK_DELETE);
  EXPECT_TRUE(WaitUntil([&] { return ListViewCount(list) == 2; }, kWindowWait)) << "the Delete key did not delete";
  EXPECT_EQ(ListViewTexts(list), (std::vector<std::string>{"b", "c"}));
  EXPECT_EQ(VisibleOwnedWindowWith(settings, kMessageText), nullptr) << "the Delete key asked or complained";
  Click(settings, IDOK);
  ASSERT_TRUE(WaitUntilGone(settings));

  settings = OpenSettings();
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(ListViewTexts(GetDlgItem(settings, 1083)), (std::vector<std::string>{"b2", "c"}));
  PostKey(GetDlgItem(settings, 1083), VK_DELETE);  // nothing selected: nothing happens
  Sleep(300);
  EXPECT_EQ(ListViewCount(GetDlgItem(settings, 1083)), 2);
  // The buttons are disabled now; their commands still say what is missing.
  for (int button : {1079, 1082}) {
    PostMessageA(settings, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    const MessageSeen missing = AnswerMessage(settings);
    EXPECT_EQ(missing.text, "Item을 찾을수 없습니다.") << button;
    EXPECT_EQ(missing.caption, "ERROR") << button;
  }
  Click(settings, IDOK);
  ASSERT_TRUE(WaitUntilGone(settings));
  ASSERT_NO_FATAL_FAILURE(Exit());

  SetupData expected;
  expected.AddEntry(Entry("b2", {"Dir:C:\\b"}, {"Reg:HKEY_CURRENT_USER\\Software\\b"}, true));
  expected.AddEntry(Entry("c", {}, {"Reg:HKEY_CURRENT_USER\\Software\\c"}));
  EXPECT_EQ(SavedSettings(), StoredSettings(expected));
}

// "설정" edits the selected entry; the editor's "삭제" follows the selection
// and removes one string of two equal ones; Cancel keeps that.
TEST_F(SettingsWindowTest, TheEditorsDeleteRemovesOneOfTwoEqualFolders) {
  const std::string longFolder = "Dir:C:\\" + std::string(200, 'x');
  SetupData seeded;
  seeded.AddEntry(Entry("e", {"Dir:C:\\same", longFolder, "Dir:C:\\same"}, {"Reg:HKEY_CURRENT_USER\\Software\\k"}));
  WriteSettings(seeded);

  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  HWND settings = OpenSettings();
  ASSERT_NE(settings, nullptr);
  ASSERT_TRUE(SelectListViewItem(GetDlgItem(settings, 1083), 0));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(settings, 1079)) != FALSE; }, kWindowWait));
  Click(settings, 1079);
  HWND editor = WaitForOwnedWindow(settings, 1084);
  ASSERT_NE(editor, nullptr) << "설정 did not open the selected entry";
  HWND strings = GetDlgItem(editor, 1083);
  HWND deleteButton = GetDlgItem(editor, 1088);
  EXPECT_EQ(SendMessageA(strings, LB_GETCOUNT, 0, 0), 4);
  EXPECT_NE(GetWindowLongA(strings, GWL_STYLE) & WS_HSCROLL, 0) << "the long folder cannot be scrolled to";
  EXPECT_FALSE(IsWindowEnabled(deleteButton));

  ClickListBoxItem(strings, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(deleteButton) != FALSE; }, kWindowWait)) << "a selection did not enable 삭제";
  Click(editor, 1088);
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(strings, LB_GETCOUNT, 0, 0) == 3; }, kWindowWait));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(deleteButton) == FALSE; }, kWindowWait)) << "삭제 stays on after deleting";
  Click(editor, IDCANCEL);
  ASSERT_TRUE(WaitUntilGone(editor));
  Click(settings, IDOK);
  ASSERT_TRUE(WaitUntilGone(settings));
  ASSERT_NO_FATAL_FAILURE(Exit());

  SetupData expected;
  expected.AddEntry(Entry("e", {longFolder, "Dir:C:\\same"}, {"Reg:HKEY_CURRENT_USER\\Software\\k"}));
  EXPECT_EQ(SavedSettings(), StoredSettings(expected));
}

// "레지스트리 찾기" starts Wine's registry editor, which carries the Korean
// title; the posted find command means nothing to it, and the key window
// goes on working.
TEST_F(SettingsWindowTest, FindStartsTheRegistryEditorAndTheKeyWindowStaysUsable) {
  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  HWND settings = OpenSettings();
  ASSERT_NE(settings, nullptr);
  HWND editor = OpenEditorForNewEntry(settings);
  ASSERT_NE(editor, nullptr);
  Click(editor, 1085);
  HWND keyWindow = WaitForOwnedWindow(editor, 1086);
  ASSERT_NE(keyWindow, nullptr);

  Click(keyWindow, 1086);
  HWND regedit = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    regedit = FindTestWindow(nullptr, "레지스트리 편집기");
    return regedit != nullptr && IsWindowVisible(regedit);
  }, kWindowWait)) << "no window titled 레지스트리 편집기";
  char className[64] = {};
  GetClassNameA(regedit, className, sizeof className);
  EXPECT_STREQ(className, "RegEdit_RegEdit");

  EXPECT_TRUE(IsWindow(keyWindow));
  SetText(GetDlgItem(keyWindow, 1087), "HKEY_CURRENT_USER\\Software\\Found");
  Click(keyWindow, IDOK);
  ASSERT_TRUE(WaitUntilGone(keyWindow)) << "the key window stopped answering";
  EXPECT_EQ(SendMessageA(GetDlgItem(editor, 1083), LB_GETCOUNT, 0, 0), 1);
  EXPECT_TRUE(IsWindow(regedit));

  // Cancel: a new entry is discarded with its key.
  Click(editor, IDCANCEL);
  ASSERT_TRUE(WaitUntilGone(editor));
  EXPECT_EQ(ListViewCount(GetDlgItem(settings, 1083)), 0);
  Click(settings, IDOK);
  ASSERT_TRUE(WaitUntilGone(settings));
  PostMessageA(regedit, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntilGone(regedit));
  ASSERT_NO_FATAL_FAILURE(Exit());
  EXPECT_EQ(SavedSettings(), StoredSettings(SetupData()));
}

// The window the search by title finds gets the find command, once.
TEST_F(SettingsWindowTest, FindPostsTheFindCommandToTheWindowWithTheEditorsTitle) {
  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  HWND settings = OpenSettings();
  ASSERT_NE(settings, nullptr);
  HWND editor = OpenEditorForNewEntry(settings);
  ASSERT_NE(editor, nullptr);
  Click(editor, 1085);
  HWND keyWindow = WaitForOwnedWindow(editor, 1086);
  ASSERT_NE(keyWindow, nullptr);

  RegistryEditorStandIn standIn;
  ASSERT_NE(standIn.window, nullptr);
  Click(keyWindow, 1086);
  EXPECT_TRUE(RegistryEditorStandIn::PumpUntil([] { return !RegistryEditorStandIn::commands.empty(); }, kWindowWait))
      << "no command reached the window titled 레지스트리 편집기";
  RegistryEditorStandIn::PumpUntil([] { return false; }, 500);
  ASSERT_EQ(RegistryEditorStandIn::commands.size(), 1u);
  EXPECT_EQ(RegistryEditorStandIn::commands[0].first, 662u);
  EXPECT_EQ(RegistryEditorStandIn::commands[0].second, 0);
  HWND regedit = FindTestWindow("RegEdit_RegEdit", nullptr);
  EXPECT_NE(regedit, nullptr) << "Wine's registry editor did not start";
  if (regedit != nullptr) PostMessageA(regedit, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntilGone(regedit));

  EXPECT_TRUE(IsWindow(keyWindow));
  Click(keyWindow, IDCANCEL);
  ASSERT_TRUE(WaitUntilGone(keyWindow));
  Click(editor, IDCANCEL);
  ASSERT_TRUE(WaitUntilGone(editor));
  Click(settings, IDCANCEL);
  ASSERT_TRUE(WaitUntilGone(settings));
  ASSERT_NO_FATAL_FAILURE(Exit());
}

// The folder browser gives the desktop when nothing is chosen. The entry is
// taken; the next run refuses the folder with the warning and leaves it be.
TEST_F(SettingsWindowTest, ADesktopEntryIsAddedAndTheNextRunRefusesIt) {
  const std::string desktop = DesktopFolder();
  ASSERT_FALSE(desktop.empty());
  MakeFolder(desktop);
  const std::string canary = desktop + "\\vantrel_canary.txt";
  WriteBytes(canary, "keep me");
  SetupData seeded;
  SwitchAllOff(seeded);
  WriteSettings(seeded);

  StartAndShow();
  ASSERT_FALSE(HasFatalFailure());
  HWND settings = OpenSettings();
  ASSERT_NE(settings, nullptr);
  HWND editor = OpenEditorForNewEntry(settings);
  ASSERT_NE(editor, nullptr);
  SetText(GetDlgItem(editor, 1087), "바탕 화면");
  HWND browser = OpenFolderBrowser(editor);
  ASSERT_NE(browser, nullptr);
  SaveScreenshot(browser, "folder_browser.bmp");
  Click(browser, IDOK);
  ASSERT_TRUE(WaitUntilGone(browser));
  EXPECT_EQ(ListBoxLengths(GetDlgItem(editor, 1083)), (std::vector<int>{static_cast<int>(desktop.size() + 4)}));
  Click(editor, IDOK);
  ASSERT_TRUE(WaitUntilGone(editor));
  Click(settings, IDOK);
  ASSERT_TRUE(WaitUntilGone(settings));

  Click(main, 1068);
  HWND progress = WaitForOwnedWindow(main, 1056);
  ASSERT_NE(progress, nullptr);
  const MessageSeen warning = AnswerMessage(progress);
  EXPECT_EQ(warning.text,
            "경로가 윈도우 중요 폴더로 설정되어 있습니다. 더이상 진행할수 없습니다.\n해당 삭제 설정을 해제합니다.");
  EXPECT_EQ(warning.caption, "경고");
  ASSERT_TRUE(WaitUntil([&] { return TextOfWindow(GetDlgItem(progress, 1043)) == "청소 끝."; }, 60000));
  EXPECT_TRUE(FileExists(canary)) << "the desktop was emptied";
  ASSERT_NO_FATAL_FAILURE(Exit());

  // A refused user directory stays in its entry.
  SetupData expected;
  SwitchAllOff(expected);
  expected.AddEntry(Entry("바탕 화면", {"Dir:" + desktop}, {}));
  EXPECT_EQ(SavedSettings(), StoredSettings(expected));
}

}  // namespace
}  // namespace vantrel
