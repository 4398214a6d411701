// Carries a run's progress from the worker thread to the window, and the Stop button back.
#include "tessel/qt/qt_run_observer.h"

namespace tessel {
namespace {
constexpr auto kPostInterval = std::chrono::milliseconds(40);
QString Latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }
}  // namespace

bool QtRunObserver::Due() {
  const auto now = std::chrono::steady_clock::now();
  if (now - lastPost_ < kPostInterval) return false;
  lastPost_ = now;
  return true;
}

void QtRunObserver::OnStep(std::string_view message, TabList tab) {
  // The file shown when a step ends is the last one the step reached, whatever the thinning left out.
  if (!unpostedFile_.empty()) {
    emit fileChanged(Latin1(unpostedFile_));
    unpostedFile_.clear();
  }
  emit stepChanged(Latin1(message), static_cast<int>(tab));
}

void QtRunObserver::OnProgress(std::size_t value, std::size_t maximum) {
  if (value < maximum && !Due()) return;
  emit progressChanged(value, maximum);
}

void QtRunObserver::OnFile(std::size_t index, const std::string& path) {
  // Every file's name would flood the queue on fast runs.
  const auto now = std::chrono::steady_clock::now();
  if (index != 0 && now - lastFilePost_ < kPostInterval) {
    unpostedFile_ = path;
    return;
  }
  lastFilePost_ = now;
  unpostedFile_.clear();
  emit fileChanged(Latin1(path));
}

void QtRunObserver::OnProblem(const std::string& text) { emit problemReported(Latin1(text)); }

void QtRunObserver::OnBucketWarning(const std::string& text) { emit bucketWarningChanged(Latin1(text)); }

}  // namespace tessel
