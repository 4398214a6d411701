// Test helpers: the shared scratch folder, an observer that records, file reading.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tessel/run_observer.h"
#include "testing/scratch_folder.h"

namespace tessel::testing {

using ScratchFolder = corvane::test_support::ScratchFolder;

class RecordingObserver : public RunObserver {
 public:
  void OnStep(std::string_view message, TabList tab) override;
  void OnProgress(std::size_t value, std::size_t maximum) override;
  void OnProblem(const std::string& text) override { problems.push_back(text); }
  void OnBucketWarning(const std::string& text) override { bucketWarning = text; }
  bool StopRequested() override { return stopAfterSteps >= 0 && progressCalls >= stopAfterSteps; }

  std::vector<std::string> steps;
  std::vector<TabList> tabs;
  std::vector<std::string> problems;
  std::string bucketWarning;
  std::size_t lastProgressValue = 0;
  std::size_t lastProgressMaximum = 0;
  bool progressBeyondMaximum = false;
  long progressCalls = 0;
  long stopAfterSteps = -1;  // stop once this many progress calls were made
};

std::string ReadWholeFile(const std::filesystem::path& path);
// The file's lines split at CR LF; a line ending in a bare LF is kept with it so it shows.
std::vector<std::string> ReadCrLfLines(const std::filesystem::path& path);

}  // namespace tessel::testing
