#include "engine/folder_survey.h"

#include <cstdio>
#include <utility>

#include "engine/canonical_path.h"
#include "engine/folder_walk.h"
#include "platform/file_system.h"
#include "platform/message_pump.h"
#include "platform/shell.h"
#include "settings/setup_data.h"

namespace vantrel {

namespace {

constexpr double kBytesPerMegabyte = 1048576.0;

std::string Format(const char* format, const std::string& text) {
  const int length = std::snprintf(nullptr, 0, format, text.c_str());
  std::string line(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(line.data(), line.size(), format, text.c_str());
  line.resize(static_cast<std::size_t>(length));
  return line;
}

std::string Format(const char* format, double value) {
  char line[64];
  std::snprintf(line, sizeof line, format, value);
  return line;
}

std::string FolderLines(FileSystem& files, MessagePump& pump, const char* label,
                        const std::string& folder) {
  const std::uint32_t size = FolderSize(files, pump, folder, true);
  return Format(label, folder) + Format("크기: %0.1f MB\r\n", size / kBytesPerMegabyte);
}

class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningFlag() { flag_ = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& flag_;
};

// folder is canonical, with its trailing backslash.
std::uint32_t CanonicalFolderSize(FileSystem& files, MessagePump& pump, const std::string& folder,
                                  bool includeSubfolders) {
  std::uint32_t total = 0;
  WalkFolder(files, pump, folder + "*.*", [&](const DirEntry& entry) {
    if (IsDotEntry(entry)) return;
    total += entry.sizeLow;
    if (includeSubfolders && entry.isDirectory && !IsFolderLink(entry)) {
      total += CanonicalFolderSize(files, pump, folder + entry.name + '\\', includeSubfolders);
    }
  });
  return total;
}

}  // namespace

std::uint32_t FolderSize(FileSystem& files, MessagePump& pump, std::string folder,
                         bool includeSubfolders) {
  const std::string canonical = CanonicalFolder(files, std::move(folder));
  if (canonical.empty()) return 0;
  return CanonicalFolderSize(files, pump, canonical, includeSubfolders);
}

std::string BuildSurveyText(FileSystem& files, MessagePump& pump, Shell& shell,
                            const SetupData& settings) {
  std::string text;
  text += FolderLines(files, pump, "캐시 폴더: %s\r\n", settings.cacheFolder);
  text += FolderLines(files, pump, "쿠키 폴더: %s\r\n", settings.cookieFolder);
  text += FolderLines(files, pump, "인터넷 기록 폴더: %s\r\n", settings.historyFolder);
  text += FolderLines(files, pump, "윈도우 템프 폴더: %s\r\n", settings.tempFolder);
  text += FolderLines(files, pump, "최근 실행 리스트 폴더: %s\r\n", settings.recentFolder);

  const RecycleBinInfo bin = shell.QueryRecycleBin();
  if (bin.ok) {
    text += Format("휴지통 크기: %0.1f MB\r\n", static_cast<double>(bin.size) / kBytesPerMegabyte);
  } else {
    text += "휴지통 크기 조사 실패\r\n";
  }
  return text;
}

bool FolderSurvey::Refresh(const SetupData& settings, SurveyTextView& view) {
  if (running_ || cleaningRun_) return false;
  const RunningFlag running(running_);
  const std::string text = BuildSurveyText(files_, pump_, shell_, settings);
  if (view.Text() != text) view.SetText(text);
  return true;
}

}  // namespace vantrel
