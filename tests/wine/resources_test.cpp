// The design assets are in the program and load by id: in this test
// program's own resources (the same object Qorv.exe links) and in Qorv.exe.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <string>

#include "framework/sound.h"
#include "resource.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

struct BitmapCase {
  int id;
  int width;
  int height;
};

constexpr BitmapCase kBitmaps[] = {
    {IDB_CLEAN_NORMAL, 80, 70},    {IDB_CLEAN_PRESSED, 80, 70},    {IDB_CLEAN_HOVER, 80, 70},
    {IDB_MENU_NORMAL, 80, 35},     {IDB_MENU_PRESSED, 80, 35},     {IDB_MENU_HOVER, 80, 35},
    {IDB_SETTINGS_NORMAL, 80, 35}, {IDB_SETTINGS_PRESSED, 80, 35}, {IDB_SETTINGS_HOVER, 80, 35},
    {IDB_CLOSE_NORMAL, 9, 9},      {IDB_CLOSE_PRESSED, 9, 9},      {IDB_CLOSE_HOVER, 9, 9},
    {IDB_TRAY_NORMAL, 10, 11},     {IDB_TRAY_PRESSED, 10, 11},     {IDB_TRAY_HOVER, 10, 11},
    {IDB_HELP_NORMAL, 8, 11},      {IDB_HELP_PRESSED, 8, 11},      {IDB_HELP_HOVER, 8, 11},
    {IDB_LOGO, 35, 13},            {IDB_SPLASH_SHAPED, 336, 260},  {IDB_SPLASH_FRAMED, 336, 260},
};

constexpr int kWaves[] = {IDW_CLICK, IDW_RUN_END, IDW_EXIT};

void ExpectAssetsIn(HMODULE module) {
  for (const BitmapCase& c : kBitmaps) {
    SCOPED_TRACE(c.id);
    // As a DIB section, so the stored depth is what GetObject reports.
    HANDLE image = LoadImageA(module, MAKEINTRESOURCEA(c.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(image, nullptr);
    BITMAP info = {};
    GetObjectA(image, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, c.width);
    EXPECT_EQ(info.bmHeight, c.height);
    EXPECT_EQ(info.bmBitsPixel, 24);
    DeleteObject(image);
  }

  for (int size : {16, 32}) {
    HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour = {};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }

  HCURSOR cursor = LoadCursorA(module, MAKEINTRESOURCEA(IDCUR_MOVE));
  ASSERT_NE(cursor, nullptr);
  ICONINFO cursorInfo = {};
  ASSERT_TRUE(GetIconInfo(cursor, &cursorInfo));
  EXPECT_FALSE(cursorInfo.fIcon);
  EXPECT_EQ(cursorInfo.xHotspot, 15u);
  EXPECT_EQ(cursorInfo.yHotspot, 15u);
  BITMAP mask = {};
  GetObjectA(cursorInfo.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  if (cursorInfo.hbmColor != nullptr) DeleteObject(cursorInfo.hbmColor);
  DeleteObject(cursorInfo.hbmMask);

  for (int id : kWaves) {
    SCOPED_TRACE(id);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "WAVE");
    ASSERT_NE(found, nullptr);
    const DWORD size = SizeofResource(module, found);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    ASSERT_GT(size, 44u);
    EXPECT_EQ(std::string(bytes, 4), "RIFF");
    EXPECT_EQ(std::string(bytes + 8, 8), "WAVEfmt ");
    EXPECT_LT(size, 64u * 1024u) << "short sounds";
  }

  EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(IDD_CONTROL_GALLERY), MAKEINTRESOURCEA(5)), nullptr);
}

TEST(Resources, AssetsLoadByIdFromThisProgram) { ExpectAssetsIn(GetModuleHandleA(nullptr)); }

TEST(Resources, AssetsLoadByIdFromQorvExe) {
  const std::string program = winetest::BuiltProgram("Qorv.exe");
  ASSERT_TRUE(winetest::FileExists(program));
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  ExpectAssetsIn(module);
  FreeLibrary(module);
}

// Wine without a sound device accepts every asynchronous request, so this
// shows only that the helpers start and come back; the waves themselves are
// checked above.
TEST(Resources, SoundHelpersComeBack) {
  EXPECT_TRUE(PlayClickSound());
  EXPECT_TRUE(PlayWaveAsync(IDW_RUN_END));
  // Without a sound device (the test prefix has none) the synchronous form
  // reports failure; it must still come back rather than wait.
  PlayWaveToEnd(IDW_EXIT);
  PlaySoundA(nullptr, nullptr, 0);
}

}  // namespace
}  // namespace vantrel
