#include "engine/folder_survey.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <map>
#include <stdexcept>

#include "fakes/counting_message_pump.h"
#include "fakes/fake_shell.h"
#include "fakes/memory_file_system.h"
#include "settings/setup_data.h"

namespace vantrel {
namespace {

using testing::CountingMessagePump;
using testing::FakeShell;
using testing::MemoryFileSystem;

constexpr std::uint32_t kMegabyte = 1048576;

// CP949 bytes as UTF-8, for failure messages people can read.
std::string Readable(const std::string& cp949) {
  iconv_t cd = iconv_open("UTF-8", "CP949");
  std::string in = cp949;
  std::string out(in.size() * 3 + 1, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

// A folder listing with any sizes, for files too large to hold in memory.
class ListedFileSystem : public MemoryFileSystem {
 public:
  std::unique_ptr<DirectoryFinder> Find(const std::string& pattern) override {
    const auto found = listings.find(pattern);
    if (found == listings.end()) return MemoryFileSystem::Find(pattern);
    class Finder : public DirectoryFinder {
     public:
      explicit Finder(std::vector<DirEntry> entries) : entries_(std::move(entries)) {}
      bool Next(DirEntry& entry) override {
        if (next_ == entries_.size()) return false;
        entry = entries_[next_++];
        return true;
      }

     private:
      std::vector<DirEntry> entries_;
      std::size_t next_ = 0;
    };
    return std::make_unique<Finder>(found->second);
  }
  std::map<std::string, std::vector<DirEntry>> listings;
};

DirEntry File(const std::string& name, std::uint32_t sizeLow) {
  return DirEntry{name, false, false, sizeLow, 0x20};
}

class RecordingTextView : public SurveyTextView {
 public:
  std::string Text() override { return shown; }
  void SetText(const std::string& text) override {
    shown = text;
    ++sets;
  }
  std::string shown;
  int sets = 0;
};

class FolderSurveyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.cacheFolder = "C:\\Profile\\Cache";
    settings.cookieFolder = "C:\\Profile\\Cookies";
    settings.historyFolder = "C:\\Profile\\History";
    settings.tempFolder = "C:\\Profile\\Temp\\";
    settings.recentFolder = "C:\\Profile\\Recent";
  }
  std::string Survey() { return BuildSurveyText(files, pump, shell, settings); }
  int FindsOf(const std::string& pattern) const {
    return static_cast<int>(std::count(files.calls.begin(), files.calls.end(), "Find " + pattern));
  }

  ListedFileSystem files;
  CountingMessagePump pump;
  FakeShell shell;
  SetupData settings;
};

TEST_F(FolderSurveyTest, FolderSizeAddsFilesOfAllSubFolders) {
  files.AddFile("C:\\Profile\\Cache\\a.bin", std::string(kMegabyte, 'a'));
  files.AddFile("C:\\Profile\\Cache\\sub\\b.bin", std::string(kMegabyte / 4, 'b'));
  files.AddFile("C:\\Profile\\Cache\\sub\\deeper\\c.bin", std::string(kMegabyte / 4, 'c'));
  EXPECT_EQ(FolderSize(files, pump, "C:\\Profile\\Cache", true), 1572864u);
  EXPECT_EQ(FolderSize(files, pump, "C:\\Profile\\Cache\\", true), 1572864u);
  EXPECT_EQ(FolderSize(files, pump, "C:\\Profile\\Cache", false), kMegabyte);
}

TEST_F(FolderSurveyTest, FolderSizeDrainsMessagesBeforeEveryEntry) {
  files.AddFile("C:\\F\\a.txt", "12");
  files.AddFile("C:\\F\\sub\\b.txt", "345");
  // C:\F holds ".", "..", a.txt and sub; sub holds ".", ".." and b.txt.
  EXPECT_EQ(FolderSize(files, pump, "C:\\F", true), 5u);
  EXPECT_EQ(pump.drains, 7);
  pump.drains = 0;
  EXPECT_EQ(FolderSize(files, pump, "C:\\F", false), 2u);
  EXPECT_EQ(pump.drains, 4);
}

TEST_F(FolderSurveyTest, MissingOrEmptyFolderSizesZeroWithoutWalking) {
  EXPECT_EQ(FolderSize(files, pump, "C:\\Nowhere", true), 0u);
  EXPECT_EQ(files.calls, std::vector<std::string>{"Find C:\\Nowhere\\*.*"});
  EXPECT_EQ(pump.drains, 0);
  files.calls.clear();
  // An empty path would otherwise search the root of the current drive.
  EXPECT_EQ(FolderSize(files, pump, "", true), 0u);
  EXPECT_TRUE(files.calls.empty());
}

TEST_F(FolderSurveyTest, FolderSizeWrapsAtFourGigabytes) {
  const std::uint32_t gigabyte = 1024u * kMegabyte;
  files.listings["C:\\Big\\*.*"] = {File("1", gigabyte), File("2", gigabyte), File("3", gigabyte),
                                   File("4", gigabyte), File("5", gigabyte)};
  EXPECT_EQ(FolderSize(files, pump, "C:\\Big", true), gigabyte);
  settings.cacheFolder = "C:\\Big";
  EXPECT_NE(Survey().find("\xC5\xA9\xB1\xE2: 1024.0 MB\r\n"), std::string::npos) << Readable(Survey());
}

TEST_F(FolderSurveyTest, FolderSizeNeverFollowsADirectoryLink) {
  files.AddFile("C:\\Profile\\Cache\\a.bin", "1234");
  files.AddFile("C:\\Elsewhere\\big.bin", std::string(1000, 'x'));
  files.AddDirectoryLink("C:\\Profile\\Cache\\loop", "C:\\Profile\\Cache");
  files.AddDirectoryLink("C:\\Profile\\Cache\\away", "C:\\Elsewhere");
  // Following the loop would never end; stop it where it would be obvious.
  pump.onDrain = [&] {
    if (pump.drains > 1000) throw std::runtime_error("the walk went round the link loop");
  };
  EXPECT_EQ(FolderSize(files, pump, "C:\\Profile\\Cache", true), 4u);
  EXPECT_EQ(files.calls, std::vector<std::string>{"Find C:\\Profile\\Cache\\*.*"});
}

TEST_F(FolderSurveyTest, SurveyTextNamesEveryFolderWithItsSize) {
  files.AddFile("C:\\Profile\\Cache\\a.bin", std::string(kMegabyte, 'a'));
  files.AddFile("C:\\Profile\\Cache\\sub\\b.bin", std::string(kMegabyte / 2, 'b'));
  files.AddFile("C:\\Profile\\Temp\\t.tmp", std::string(kMegabyte / 10, 't'));
  shell.recycleBin = {true, 3670016, 2};
  const std::string expected =
      "캐시 폴더: C:\\Profile\\Cache\r\n크기: 1.5 MB\r\n"
      "쿠키 폴더: C:\\Profile\\Cookies\r\n크기: 0.0 MB\r\n"
      "인터넷 기록 폴더: C:\\Profile\\History\r\n크기: 0.0 MB\r\n"
      "윈도우 템프 폴더: C:\\Profile\\Temp\\\r\n크기: 0.1 MB\r\n"
      "최근 실행 리스트 폴더: C:\\Profile\\Recent\r\n크기: 0.0 MB\r\n"
      "휴지통 크기: 3.5 MB\r\n";
  const std::string text = Survey();
  EXPECT_EQ(text, expected) << Readable(text);
  EXPECT_EQ(shell.calls, std::vector<std::string>{"QueryRecycleBin"});
  // Each folder is walked once, with its sub-folders, in the order shown.
  EXPECT_EQ(std::vector<std::string>(files.calls.begin(), files.calls.end()),
            (std::vector<std::string>{"Find C:\\Profile\\Cache\\*.*", "Find C:\\Profile\\Cache\\sub\\*.*",
                                      "Find C:\\Profile\\Cookies\\*.*", "Find C:\\Profile\\History\\*.*",
                                      "Find C:\\Profile\\Temp\\*.*", "Find C:\\Profile\\Recent\\*.*"}));
}

TEST_F(FolderSurveyTest, RecycleBinFailureGivesTheFailureLine) {
  shell.recycleBin = {false, 123456789, 4};
  const std::string text = Survey();
  const std::string last = "최근 실행 리스트 폴더: C:\\Profile\\Recent\r\n크기: 0.0 MB\r\n휴지통 크기 조사 실패\r\n";
  ASSERT_GE(text.size(), last.size());
  EXPECT_EQ(text.substr(text.size() - last.size()), last) << Readable(text);
}

TEST_F(FolderSurveyTest, LargeRecycleBinIsShownBeyondFourGigabytes) {
  shell.recycleBin = {true, 5LL * 1024 * kMegabyte, 7};
  const std::string text = Survey();
  EXPECT_NE(text.find("휴지통 크기: 5120.0 MB\r\n"), std::string::npos) << Readable(text);
}

TEST_F(FolderSurveyTest, SurveySizesEveryFolderWithSubFolders) {
  files.AddFile("C:\\Profile\\Recent\\deep\\x.lnk", std::string(kMegabyte / 5, 'x'));
  const std::string text = Survey();
  EXPECT_NE(text.find("C:\\Profile\\Recent\r\n크기: 0.2 MB\r\n"), std::string::npos) << Readable(text);
}

TEST_F(FolderSurveyTest, RefreshSetsTheTextOnlyWhenItChanged) {
  FolderSurvey survey(files, pump, shell);
  RecordingTextView view;
  EXPECT_TRUE(survey.Refresh(settings, view));
  EXPECT_EQ(view.sets, 1);
  EXPECT_EQ(view.shown, Survey());
  EXPECT_TRUE(survey.Refresh(settings, view));
  EXPECT_EQ(view.sets, 1);
  files.AddFile("C:\\Profile\\Cookies\\c.txt", std::string(kMegabyte, 'c'));
  EXPECT_TRUE(survey.Refresh(settings, view));
  EXPECT_EQ(view.sets, 2);
  EXPECT_NE(view.shown.find("C:\\Profile\\Cookies\r\n크기: 1.0 MB\r\n"), std::string::npos);
}

TEST_F(FolderSurveyTest, RefreshFromInsideAWalkIsSkipped) {
  files.AddFile("C:\\Profile\\Cache\\a.bin", "abc");
  files.AddFile("C:\\Profile\\Cache\\b.bin", "def");
  FolderSurvey survey(files, pump, shell);
  RecordingTextView view;
  int nestedCalls = 0;
  int nestedRefreshes = 0;
  // Drains dispatch a timer message that asks for a refresh again (a bounded
  // number of times, so that a missing guard fails instead of never ending).
  pump.onDrain = [&] {
    if (nestedCalls == 50) return;
    ++nestedCalls;
    if (survey.Refresh(settings, view)) ++nestedRefreshes;
  };
  EXPECT_TRUE(survey.Refresh(settings, view));
  EXPECT_GT(nestedCalls, 0);
  EXPECT_EQ(nestedRefreshes, 0);
  EXPECT_EQ(FindsOf("C:\\Profile\\Cache\\*.*"), 1);
  EXPECT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(view.sets, 1);

  // Once the walk is over the next timer refreshes again.
  pump.onDrain = nullptr;
  files.AddFile("C:\\Profile\\Cache\\c.bin", std::string(kMegabyte, 'c'));
  EXPECT_TRUE(survey.Refresh(settings, view));
  EXPECT_EQ(view.sets, 2);
}

TEST_F(FolderSurveyTest, NoRefreshWalksWhileACleaningRunIsGoingOn) {
  FolderSurvey survey(files, pump, shell);
  RecordingTextView view;
  survey.RunStarted();
  EXPECT_FALSE(survey.Refresh(settings, view));
  EXPECT_FALSE(survey.Refresh(settings, view));
  EXPECT_TRUE(files.calls.empty());
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_EQ(view.sets, 0);
  survey.RunEnded();
  EXPECT_TRUE(survey.Refresh(settings, view));
  EXPECT_EQ(view.shown, Survey());
}

}  // namespace
}  // namespace vantrel
