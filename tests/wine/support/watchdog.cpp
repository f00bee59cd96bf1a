#include "watchdog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <vector>

#include "platform/win32/handles.h"
#include "wine_test_support.h"

namespace vantrel::winetest {

namespace {

// The wait notes of every thread, innermost last.
class WaitNotes {
 public:
  WaitNotes() { InitializeCriticalSection(&section_); }

  void Push(DWORD thread, std::string what) {
    Lock lock(section_);
    notes_[thread].push_back({std::move(what), GetTickCount()});
  }

  void Pop(DWORD thread) {
    Lock lock(section_);
    auto found = notes_.find(thread);
    if (found == notes_.end()) return;
    found->second.pop_back();
    if (found->second.empty()) notes_.erase(found);
  }

  std::string Report() {
    Lock lock(section_);
    std::string report;
    const DWORD now = GetTickCount();
    for (const auto& [thread, notes] : notes_) {
      report += "  thread " + std::to_string(thread) + " waits for ";
      for (auto note = notes.rbegin(); note != notes.rend(); ++note) {
        if (note != notes.rbegin()) report += ", inside ";
        report += note->what + " (for " + std::to_string((now - note->since) / 1000) + " s)";
      }
      report += "\n";
    }
    return report.empty() ? "  no wait of the test support is open: a call that never returned holds it\n" : report;
  }

 private:
  struct Note {
    std::string what;
    DWORD since;
  };
  CRITICAL_SECTION section_;
  std::map<DWORD, std::vector<Note>> notes_;
};

WaitNotes& Notes() {
  static WaitNotes notes;
  return notes;
}

void WriteError(const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

class Watchdog : public ::testing::EmptyTestEventListener {
 public:
  explicit Watchdog(DWORD seconds) : seconds_(seconds), stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    InitializeCriticalSection(&section_);
    thread_ = CreateThread(nullptr, 0, &Watchdog::Watch, this, 0, nullptr);
  }

  // The test framework deletes its listeners while the program exits; the
  // watching thread must be gone before the state it reads is.
  ~Watchdog() override {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(stop_);
    DeleteCriticalSection(&section_);
  }

  void OnTestStart(const ::testing::TestInfo& test) override {
    Lock lock(section_);
    test_ = std::string(test.test_suite_name()) + "." + test.name();
    started_ = GetTickCount();
  }

  void OnTestEnd(const ::testing::TestInfo&) override {
    Lock lock(section_);
    test_.clear();
  }

 private:
  static DWORD WINAPI Watch(void* self) {
    static_cast<Watchdog*>(self)->WatchTests();
    return 0;
  }

  void WatchTests() {
    while (WaitForSingleObject(stop_, 250) == WAIT_TIMEOUT) {
      std::string test;
      DWORD ran = 0;
      {
        Lock lock(section_);
        test = test_;
        ran = GetTickCount() - started_;
      }
      if (!test.empty() && ran > seconds_ * 1000) CutOff(test, ran);
    }
  }

  [[noreturn]] void CutOff(const std::string& test, DWORD ran) {
    WriteError("\nwatchdog: " + test + " has run for " + std::to_string(ran / 1000) + " s, over its deadline of " +
               std::to_string(seconds_) + " s; it is cut off, with the programs it started.\n" + Notes().Report());
    TerminateJobObject(TestJob(), 3);
    TerminateProcess(GetCurrentProcess(), 3);
    for (;;) Sleep(INFINITE);
  }

  const DWORD seconds_;
  const HANDLE stop_;
  HANDLE thread_ = nullptr;
  CRITICAL_SECTION section_;
  std::string test_;
  DWORD started_ = 0;
};

}  // namespace

WaitNote::WaitNote(std::string what) : thread_(GetCurrentThreadId()) { Notes().Push(thread_, std::move(what)); }

WaitNote::~WaitNote() { Notes().Pop(thread_); }

void StartWatchdog() {
  DWORD seconds = kDefaultTestDeadlineSeconds;
  if (const char* set = std::getenv("VANTREL_TEST_DEADLINE")) {
    if (const long value = std::strtol(set, nullptr, 10); value > 0) seconds = static_cast<DWORD>(value);
  }
  ::testing::UnitTest::GetInstance()->listeners().Append(new Watchdog(seconds));
}

}  // namespace vantrel::winetest
