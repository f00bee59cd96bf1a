// Times one way of emptying a prepared tree under Wine and prints one line of
// figures; bench/run-purge-bench.sh prepares the trees and compares the ways.
//
//   folder_purge_bench.exe MODE FOLDER
//     window  CountFolderFiles + PurgeFolder as a cleaning step calls them,
//             on the run's FolderPurge with the progress window shown on
//             screen as its view (the run makes that FolderPurge, and asks
//             the system for its important folders, once; that set-up is
//             timed on its own as setup_seconds)
//     silent  the same through a view that draws nothing, no window
//     bare    the same API calls by hand, as the file adapter makes them (the
//             W functions on \\?\ paths): a finder walk with the pump before
//             every entry, then the walk with the pump, DeleteFileW and
//             RemoveDirectoryW; made while the progress window is shown and
//             still, since under Wine every PeekMessageA of a thread that has
//             a window costs more, which no cleaner with a window escapes
//     bare-nowindow  the same in a thread without any window
//     nopump  a finder walk with DeleteFileW and RemoveDirectoryW, no pump,
//             no count
#include <cwchar>

#include "bench_support.h"
#include "engine/folder_purge.h"
#include "engine/folder_purge_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/message_pump_win32.h"
#include "platform/win32/shell_win32.h"
#include "settings/setup_data.h"

namespace {

using namespace vantrel;
using bench::Pump;

bool IsDots(const wchar_t* name) { return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0; }

int BareCount(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    Pump();
    if (IsDots(data.cFileName)) continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      count += BareCount(folder + data.cFileName + L"\\");
    } else {
      ++count;
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return count;
}

int BarePurge(const std::wstring& folder, bool pump) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    if (pump) Pump();
    if (IsDots(data.cFileName)) continue;
    const std::wstring full = folder + data.cFileName;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      count += BarePurge(full + L"\\", pump);
      RemoveDirectoryW(full.c_str());
    } else {
      ++count;
      DeleteFileW(full.c_str());
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return count;
}

std::wstring ExactFolder(const std::string& folder) {
  std::wstring wide(folder.size(), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, folder.data(), static_cast<int>(folder.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length));
  return L"\\\\?\\" + wide;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: folder_purge_bench window|silent|bare|bare-nowindow|nopump FOLDER\n");
    return 2;
  }
  const std::string mode = argv[1];
  std::string folder = argv[2];
  if (folder.back() != '\\') folder += '\\';

  SetupData settings;
  Win32FileSystem files;
  Win32MessagePump pump;
  Win32Shell shell;
  ProgressDialog dialog;
  bench::SilentView silentView;
  if ((mode == "window" || mode == "bare") && !bench::ShowProgressWindow(dialog)) return 3;

  int counted = 0;
  int purged = 0;
  double setup = 0;
  double seconds = 0;
  if (mode == "window" || mode == "silent") {
    ProgressView& view = mode == "window" ? static_cast<ProgressView&>(dialog) : silentView;
    const bench::Stopwatch setupWatch;
    FolderPurge purge(files, pump, view, settings, WithImportantFolders(RunningSystemFolders(), shell));
    setup = setupWatch.Seconds();
    const bench::Stopwatch watch;
    counted = purge.CountFolderFiles(folder, true);
    purged = purge.PurgeFolder(&settings.cleanTemp, folder, true, 0, counted, 0, 1000);
    seconds = watch.Seconds();
  } else if (mode == "bare" || mode == "bare-nowindow") {
    const bench::Stopwatch watch;
    counted = BareCount(ExactFolder(folder));
    purged = BarePurge(ExactFolder(folder), true);
    seconds = watch.Seconds();
  } else if (mode == "nopump") {
    const bench::Stopwatch watch;
    purged = BarePurge(ExactFolder(folder), false);
    counted = purged;
    seconds = watch.Seconds();
  } else {
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
  }
  char extra[160];
  std::snprintf(extra, sizeof extra, "counted=%d purged=%d setup_seconds=%.3f frames=%d", counted, purged,
                setup, mode == "window" ? bench::FramesDrawn(dialog) : 0);
  bench::PrintFigures(mode, extra, seconds);
  return counted == purged ? 0 : 1;
}
