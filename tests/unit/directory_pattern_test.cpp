// Directories of user entries with variables and "*": which texts are
// patterns, and the folders each one stands for on a given tree.
#include "engine/directory_pattern.h"

#include <gtest/gtest.h>

#include "fakes/counting_message_pump.h"
#include "fakes/fake_environment.h"
#include "fakes/memory_file_system.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;

TEST(DirectoryShape, WhatIsAPatternAndWhatIsNot) {
  struct Case {
    const char* directory;
    DirectoryShape shape;
  } cases[] = {
      {"C:\\Temp2", DirectoryShape::kPlain},
      {"C:\\100%\\Temp", DirectoryShape::kPlain},        // a lone "%" is a letter of a name
      {"C:\\a%\\b%", DirectoryShape::kPlain},            // a backslash ends no variable
      {"C:\\%%\\Temp", DirectoryShape::kPlain},          // nor does an empty name
      {"%TEMP%", DirectoryShape::kPattern},
      {"%LOCALAPPDATA%\\Google\\Chrome\\User Data\\*\\Cache", DirectoryShape::kPattern},
      {"C:\\users\\*\\Desktop", DirectoryShape::kPattern},
      {"C:\\Data\\*", DirectoryShape::kPattern},
      {"C:\\Data\\*\\x\\*\\y", DirectoryShape::kPattern},
      {"*\\Temp", DirectoryShape::kNotPattern},          // "*" in the first name
      {"*:\\Temp", DirectoryShape::kNotPattern},
      {"%X%*\\Temp", DirectoryShape::kNotPattern},
      {"C:\\Data\\**\\Cache", DirectoryShape::kNotPattern},
      {"C:\\Data\\Cache*", DirectoryShape::kNotPattern},
      {"C:\\Data\\*Cache\\x", DirectoryShape::kNotPattern},
      {"C:\\Data\\*.*", DirectoryShape::kNotPattern},
  };
  for (const Case& c : cases) EXPECT_EQ(ShapeOfDirectory(c.directory), c.shape) << c.directory;
}

class DirectoryExpansionTest : public ::testing::Test {
 protected:
  DirectoryExpansionTest() {
    environment.Set("LOCALAPPDATA", "C:\\users\\kim\\AppData\\Local");
    environment.Set("UserProfile", "C:\\users\\kim");
    environment.Set("RELATIVE", "Temp");
    environment.Set("EMPTY", "");
    environment.Set("STARRY", "C:\\*");
    const std::string userData = "C:\\users\\kim\\AppData\\Local\\Google\\Chrome\\User Data";
    files.AddFile(userData + "\\Default\\Cache\\Cache_Data\\data_0");
    files.AddFile(userData + "\\Profile 1\\Cache\\Cache_Data\\data_0");
    files.AddFile(userData + "\\Profile 1\\Network\\Cookies");
    files.AddDirectory(userData + "\\Crashpad");
    files.AddFile(userData + "\\Local State");
    // A file where a profile would have its folder, a link among the
    // profiles, and a profile whose Cache is a link.
    files.AddFile(userData + "\\Profile 2\\Cache");
    files.AddFile("D:\\Elsewhere\\Cache\\precious.txt");
    files.AddDirectoryLink(userData + "\\Linked", "D:\\Elsewhere");
    files.AddDirectory("D:\\Target");
    files.AddDirectoryLink(userData + "\\Profile 3\\Cache", "D:\\Target");
    files.AddDirectory("C:\\users\\kim\\Desktop");
    files.AddDirectory("C:\\users\\lee\\Desktop");
    files.AddDirectory("C:\\users\\park");
  }

  std::vector<std::string> Folders(const std::string& directory) { return expansion.Folders(directory); }

  MemoryFileSystem files;
  CountingMessagePump pump;
  FakeEnvironment environment;
  DirectoryExpansion expansion{environment, files, pump};
};

TEST_F(DirectoryExpansionTest, TheFoldersEachDirectoryStandsFor) {
  const std::string userData = "C:\\users\\kim\\AppData\\Local\\Google\\Chrome\\User Data";
  using Folders_ = std::vector<std::string>;
  struct Case {
    const char* directory;
    Folders_ folders;
  } cases[] = {
      // A plain directory is taken as written, whether it exists or not.
      {"C:\\Nowhere\\..\\Temp", {"C:\\Nowhere\\..\\Temp"}},
      {"C:\\100%\\Temp", {"C:\\100%\\Temp"}},
      // Variables, set and unset, any letter case.
      {"%LOCALAPPDATA%\\Google", {"C:\\users\\kim\\AppData\\Local\\Google"}},
      {"%userprofile%", {"C:\\users\\kim"}},
      {"%USERPROFILE%\\..\\..\\users\\kim\\Desktop", {"C:\\users\\kim\\..\\..\\users\\kim\\Desktop"}},
      {"%UNSET%\\Temp", {}},
      {"C:\\Data\\%UNSET%", {}},
      // A result that is not an absolute path, or a value with a "*".
      {"%RELATIVE%\\x", {}},
      {"%EMPTY%\\x", {}},
      {"%STARRY%\\x", {}},
      // "*" at each level, folders only, no link and no file.
      {"%LOCALAPPDATA%\\Google\\Chrome\\User Data\\*\\Cache",
       {userData + "\\Default\\Cache", userData + "\\Profile 1\\Cache"}},
      {"%LOCALAPPDATA%\\Google\\Chrome\\User Data\\*",
       {userData + "\\Crashpad", userData + "\\Default", userData + "\\Profile 1",
        userData + "\\Profile 2", userData + "\\Profile 3"}},
      {"%LOCALAPPDATA%\\Google\\*\\User Data\\Default\\Cache", {userData + "\\Default\\Cache"}},
      {"%LOCALAPPDATA%\\Google\\Chrome\\User Data\\*\\Cache\\*",
       {userData + "\\Default\\Cache\\Cache_Data", userData + "\\Profile 1\\Cache\\Cache_Data"}},
      {"C:\\users\\*\\Desktop", {"C:\\users\\kim\\Desktop", "C:\\users\\lee\\Desktop"}},
      // The names after a "*" match without letter case, as Windows does.
      {"C:\\USERS\\*\\desktop", {"C:\\USERS\\kim\\Desktop", "C:\\USERS\\lee\\Desktop"}},
      // No match.
      {"%LOCALAPPDATA%\\Google\\Chrome\\User Data\\*\\Media Cache", {}},
      {"C:\\Missing\\*", {}},
      // Not patterns: nothing.
      {"%LOCALAPPDATA%\\Google\\Chrome\\User Data\\Cache*", {}},
      {"%LOCALAPPDATA%\\Google\\**\\Cache", {}},
      {"*\\Cache", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Folders(c.directory), c.folders) << c.directory;
}

TEST_F(DirectoryExpansionTest, AStarNeverLooksBehindALink) {
  Folders("%LOCALAPPDATA%\\Google\\Chrome\\User Data\\*\\Cache");
  for (const std::string& call : files.calls) {
    EXPECT_EQ(call.find("Linked\\"), std::string::npos) << call;
    EXPECT_EQ(call.find("Elsewhere"), std::string::npos) << call;
    EXPECT_EQ(call.find("Target"), std::string::npos) << call;
  }
}

}  // namespace
}  // namespace vantrel
