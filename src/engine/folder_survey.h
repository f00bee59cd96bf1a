#pragma once
// The survey the folder-information window shows: the five cleaning folders
// with their sizes and the size of the Recycle Bin.

#include <cstdint>
#include <string>

namespace vantrel {

class FileSystem;
class MessagePump;
class SetupData;
class Shell;

// Total size in bytes of the files in folder (and, with includeSubfolders, in
// its sub-folders), modulo 2^32. Dispatches pending window messages before
// every entry. Never descends into a directory link or junction: the purge
// never goes through one either, and a link loop would never end.
std::uint32_t FolderSize(FileSystem& files, MessagePump& pump, std::string folder,
                         bool includeSubfolders);

// The survey text, one line per item, each ending in "\r\n".
std::string BuildSurveyText(FileSystem& files, MessagePump& pump, Shell& shell,
                            const SetupData& settings);

// The edit control the survey text is shown in.
class SurveyTextView {
 public:
  virtual ~SurveyTextView() = default;
  virtual std::string Text() = 0;
  virtual void SetText(const std::string& text) = 0;
};

class FolderSurvey {
 public:
  FolderSurvey(FileSystem& files, MessagePump& pump, Shell& shell)
      : files_(files), pump_(pump), shell_(shell) {}

  // Rebuilds the text and shows it when it differs from what view shows, so
  // an unchanged text keeps its scroll position. The walk dispatches window
  // messages, so a timer can call this again from inside a walk: such a call
  // does nothing and returns false.
  bool Refresh(const SetupData& settings, SurveyTextView& view);

  // A cleaning run dispatches messages before every file and cache entry; a
  // survey walked from inside it would slow the run several times over. So
  // from RunStarted until RunEnded every Refresh does nothing and returns
  // false.
  void RunStarted() { cleaningRun_ = true; }
  void RunEnded() { cleaningRun_ = false; }

 private:
  FileSystem& files_;
  MessagePump& pump_;
  Shell& shell_;
  bool running_ = false;
  bool cleaningRun_ = false;
};

}  // namespace vantrel
