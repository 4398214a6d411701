// The run driver behind the Start button and the batch mode: walk, scan, sort, write.
#pragma once

#include <filesystem>
#include <string>

#include "tessel/output_kinds.h"
#include "tessel/run_observer.h"
#include "tessel/scenery_rows.h"

namespace tessel {

struct RunOptions {
  std::string scanRoot;
  std::filesystem::path outputFolder;
  OutputKinds kinds;
};

struct RunResult {
  bool outputWritten = true;  // every file the run meant to write was written
  bool stopped = false;
  std::size_t folderCount = 0;
  std::size_t fileCount = 0;
  std::size_t damagedFiles = 0;
};

// Step texts shown in lbMess.
inline constexpr const char* kStepScanningDirs = "Scanning dirs";
inline constexpr const char* kStepScanningFiles = "Scanning files";
inline constexpr const char* kStepReady = "Ready";
inline constexpr const char* kStepStopped = "Stopped";

// Empties the lists, walks the folders, scans the files and writes the sorted files of the row
// lists that hold rows (an empty list leaves its sorted file as it was).
RunResult RunCompiler(const RunOptions& options, RunLists& lists, RunObserver& observer);

// The four sort-and-write steps.
bool SortNDB(const RowLists& rows, const std::filesystem::path& outputFolder, RunLists& lists, RunObserver& observer);
bool SortVOR(const RowLists& rows, const std::filesystem::path& outputFolder, RunLists& lists, RunObserver& observer);
bool SortILS(const RowLists& rows, const std::filesystem::path& outputFolder, RunLists& lists, RunObserver& observer);
bool SortARP(const RowLists& rows, const std::filesystem::path& outputFolder, RunLists& lists, RunObserver& observer);

}  // namespace tessel
