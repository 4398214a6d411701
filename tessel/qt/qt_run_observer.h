// Carries a run's progress from the worker thread to the window, and the Stop button back.
#pragma once

#include <QObject>

#include <atomic>
#include <chrono>
#include <string>

#include "tessel/run_observer.h"

namespace tessel {

// Lives on the window's thread; its On* methods are called on the worker thread and post queued
// signals, thinned out so that the window's event queue never floods.
class QtRunObserver final : public QObject, public RunObserver {
  Q_OBJECT
 public:
  explicit QtRunObserver(QObject* parent = nullptr) : QObject(parent) {}

  void OnStep(std::string_view message, TabList tab) override;
  void OnProgress(std::size_t value, std::size_t maximum) override;
  void OnFile(std::size_t index, const std::string& path) override;
  void OnProblem(const std::string& text) override;
  void OnBucketWarning(const std::string& text) override;
  bool StopRequested() override { return stop_.load(); }

  void RequestStop() { stop_.store(true); }
  void Reset() { stop_.store(false); }

 signals:
  void stepChanged(QString message, int tab);
  void progressChanged(qulonglong value, qulonglong maximum);
  void fileChanged(QString text);
  void problemReported(QString text);
  void bucketWarningChanged(QString text);

 private:
  bool Due();

  std::atomic<bool> stop_{false};
  std::chrono::steady_clock::time_point lastPost_{};
  std::chrono::steady_clock::time_point lastFilePost_{};
  std::string unpostedFile_;  // the latest file left out by the thinning
};

}  // namespace tessel
