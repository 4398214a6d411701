// Carries a run's progress from the worker thread to the window, and the Stop button back: the worker
// keeps the latest state under a lock and posts one message while the window has not taken it yet, so
// the window's queue never floods however fast the files go.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "platform/win32/windows_api.h"
#include "tessel/run_observer.h"

namespace tessel::win32 {

struct RunSnapshot {
  std::string step;  // empty: no new step text
  TabList tab = TabList::Dirs;
  std::size_t value = 0;
  std::size_t maximum = 0;
  std::string file;
  std::size_t problems = 0;
  std::string bucketWarning;
};

class PostingObserver final : public RunObserver {
 public:
  PostingObserver(HWND window, UINT message) : window_(window), message_(message) {}

  void OnStep(std::string_view message, TabList tab) override;
  void OnProgress(std::size_t value, std::size_t maximum) override;
  void OnFile(std::size_t index, const std::string& path) override;
  void OnProblem(const std::string& text) override;
  void OnBucketWarning(const std::string& text) override;
  bool StopRequested() override { return stop_.load(); }

  void RequestStop() { stop_.store(true); }
  void Reset();
  // On the window's thread, when the message arrives: the state since the last one.
  RunSnapshot Take();

 private:
  void PostOnce();  // called with the lock held

  HWND window_;
  UINT message_;
  std::atomic<bool> stop_{false};
  std::mutex lock_;
  RunSnapshot state_;
  bool posted_ = false;
};

}  // namespace tessel::win32
