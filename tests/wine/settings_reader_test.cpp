// The settings reader as the program is built (64-bit or 32-bit), fed the
// damaged files and the fuzzer's seed files: every load ends sound.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../shared/damaged_settings_files.h"
#include "platform/message_box.h"
#include "platform/win32/text_converter_win32.h"
#include "settings/archive.h"
#include "settings/setup_data.h"
#include "stored_settings.h"
#include "wine_test_support.h"

namespace vantrel {
namespace {

using namespace winetest;

class CountingBoxes : public MessageBoxes {
 public:
  int Show(const std::string&, const std::string&, unsigned) override {
    ++shown;
    return mb::kIdOk;
  }
  int shown = 0;
};

struct Outcome {
  SetupData::LoadResult result;
  std::size_t entries;
  int messages;
  std::string stored;
};

// Loads bytes into a fresh record; whatever was read must store and read
// back to the same file.
Outcome LoadSound(const std::string& bytes) {
  Win32TextConverter converter;
  CountingBoxes boxes;
  SetupData settings;
  ArchiveReader reader(bytes, converter);
  Outcome outcome{settings.Load(reader, boxes), 0, 0, ""};
  outcome.entries = settings.userEntries.size();
  outcome.messages = boxes.shown;
  outcome.stored = StoredSettings(settings);

  SetupData again;
  ArchiveReader storedReader(outcome.stored, converter);
  EXPECT_EQ(again.Load(storedReader, boxes), SetupData::LoadResult::kLoaded);
  EXPECT_EQ(StoredSettings(again), outcome.stored);
  return outcome;
}

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((ScratchFolder() + "corpus\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

TEST(SettingsReaderTest, TheBuildIsTheOneUnderTest) {
  // Printed so a log tells the 32-bit run from the 64-bit one.
  std::printf("settings reader: %u-bit size_t\n", static_cast<unsigned>(sizeof(std::size_t) * 8));
  SUCCEED();
}

TEST(SettingsReaderTest, DamagedFilesEndTheLoadAsDamaged) {
  for (const auto& file : damaged_settings::DamagedFiles()) {
    SCOPED_TRACE(file.what);
    const Outcome outcome = LoadSound(file.bytes);
    EXPECT_EQ(outcome.result, SetupData::LoadResult::kDamaged);
    EXPECT_EQ(outcome.entries, file.entries);
    EXPECT_EQ(outcome.messages, 0);
  }
}

TEST(SettingsReaderTest, EverySeedFileOfTheFuzzerLoadsSoundly) {
  const std::vector<std::string> names = CorpusFiles();
  ASSERT_GE(names.size(), 10u) << "the fixture did not copy the seed files";
  bool sawWrappingLength = false;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string bytes = ReadBytes(ScratchFolder() + "corpus\\" + name);
    LoadSound(bytes);
    if (bytes == damaged_settings::WrappingWideLengthFile()) {
      sawWrappingLength = true;
      EXPECT_EQ(LoadSound(bytes).result, SetupData::LoadResult::kDamaged);
    }
  }
  EXPECT_TRUE(sawWrappingLength) << "the 84-byte file with the wrapping length is not among the seeds";
}

}  // namespace
}  // namespace vantrel
