// The running program's own file name through the module-path port, however
// long it is, and what the program makes of a name it cannot read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/app_folder.h"
#include "platform/module_path.h"
#include "settings/settings_file.h"

namespace vantrel {
namespace {

// Answers as GetModuleFileNameA does: a name that does not fit is cut off
// (Windows XP leaves it without its terminating zero) and the full buffer
// size is returned.
class FakeModulePath : public ModulePath {
 public:
  explicit FakeModulePath(std::string name, bool fails = false) : name_(std::move(name)), fails_(fails) {}
  std::size_t ModuleFileName(char* buffer, std::size_t size) override {
    sizesAsked.push_back(size);
    if (fails_) return 0;
    if (name_.size() >= size) {
      std::memcpy(buffer, name_.data(), size);
      return size;
    }
    std::memcpy(buffer, name_.c_str(), name_.size() + 1);
    return name_.size();
  }
  std::vector<std::size_t> sizesAsked;

 private:
  std::string name_;
  bool fails_;
};

std::string LongProgramName(std::size_t length) {
  std::string name = "C:\\";
  while (name.size() + 20 < length) name += "깊은폴더\\";
  name += std::string(length - name.size() - 9, 'x') + "\\Qorv.exe";
  return name;
}

TEST(ModulePathTest, NamesOfEveryLengthAreReadWhole) {
  for (std::size_t length : {40u, 258u, 259u, 260u, 261u, 600u, 4000u, 32767u}) {
    const std::string name = LongProgramName(length);
    ASSERT_EQ(name.size(), length);
    FakeModulePath module(name);
    EXPECT_EQ(ReadModuleFileName(module), name) << length;
    EXPECT_EQ(module.sizesAsked.front(), 260u);
  }
}

TEST(ModulePathTest, ANameThatCannotBeReadLeavesTheProgramWithoutAFolder) {
  FakeModulePath failing("C:\\Vantrel\\Qorv.exe", true);
  const std::string name = ReadModuleFileName(failing);
  EXPECT_EQ(name, "");
  EXPECT_EQ(AppFolderOf(name), "");
  EXPECT_EQ(SettingsFilePath(name), "");

  // Longer than any Windows path: given up on, not read forever.
  FakeModulePath endless(std::string(100000, 'x'));
  EXPECT_EQ(ReadModuleFileName(endless), "");
  EXPECT_LE(endless.sizesAsked.back(), 65536u);
}

TEST(ModulePathTest, ALongProgramPathKeepsItsSettingsBesideItself) {
  const std::string name = LongProgramName(400);
  FakeModulePath module(name);
  const std::string read = ReadModuleFileName(module);
  EXPECT_EQ(SettingsFilePath(read), name.substr(0, name.size() - 8) + "SetupData.Sav");
  EXPECT_EQ(AppFolderOf(read), name.substr(0, name.size() - 9));
}

}  // namespace
}  // namespace vantrel
