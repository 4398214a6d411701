// The run driver behind the Start button and the batch mode: walk, scan, sort, write.
#include "tessel/tessel_run.h"

#include "tessel/row_sort.h"
#include "tessel/scan_files.h"
#include "tessel/scan_folders.h"

namespace tessel {

bool SortNDB(const RowLists& rows, const std::filesystem::path& outputFolder, RunLists& lists, RunObserver& observer) {
  return SortAndWrite(rows.ndbs, outputFolder / kNdbsSortedFile, lists[TabList::NDB], observer);
}

bool SortVOR(const RowLists& rows, const std::filesystem::path& outputFolder, RunLists& lists, RunObserver& observer) {
  return SortAndWrite(rows.vors, outputFolder / kVorsSortedFile, lists[TabList::VOR], observer);
}

bool SortILS(const RowLists& rows, const std::filesystem::path& outputFolder, RunLists& lists, RunObserver& observer) {
  return SortAndWrite(rows.ilss, outputFolder / kIlssSortedFile, lists[TabList::ILS], observer);
}

bool SortARP(const RowLists& rows, const std::filesystem::path& outputFolder, RunLists& lists, RunObserver& observer) {
  return SortAndWrite(rows.airports, outputFolder / kAirportsSortedFile, lists[TabList::ARP], observer);
}

RunResult RunCompiler(const RunOptions& options, RunLists& lists, RunObserver& observer) {
  RunResult result;
  lists.Clear();
  observer.OnBucketWarning("");

  observer.OnStep(kStepScanningDirs, TabList::Dirs);
  const std::vector<std::string> files = ScanFolders(options.scanRoot, lists, observer);
  result.folderCount = lists[TabList::Dirs].size();
  result.fileCount = files.size();

  RowLists rows;
  observer.OnStep("", TabList::Files);
  if (!files.empty() && !observer.StopRequested()) {
    observer.OnStep(kStepScanningFiles, TabList::Files);
    const ScanFilesResult scan = ScanFiles(files, options.kinds, options.outputFolder, rows, lists, observer);
    result.outputWritten = scan.outputWritten;
    result.stopped = scan.stopped;
    result.damagedFiles = scan.damagedFiles;
  }
  if (observer.StopRequested()) result.stopped = true;
  if (result.stopped) {
    observer.OnStep(kStepStopped, TabList::Files);
    return result;
  }
  if (!result.outputWritten) {
    observer.OnStep("Cannot write the output files", TabList::Files);
    return result;
  }

  observer.OnStep("", TabList::NDB);
  using SortStep = bool (*)(const RowLists&, const std::filesystem::path&, RunLists&, RunObserver&);
  struct Step {
    const std::vector<std::string>& rows;
    const char* message;
    SortStep sort;
  };
  const Step steps[] = {{rows.ndbs, "Sorting NDB", SortNDB},
                        {rows.vors, "Sorting VOR", SortVOR},
                        {rows.ilss, "Sorting ILS", SortILS},
                        {rows.airports, "Sorting ARP", SortARP}};
  for (const Step& step : steps) {
    if (step.rows.empty()) continue;
    if (observer.StopRequested()) {
      result.stopped = true;
      observer.OnStep(kStepStopped, TabList::NDB);
      return result;
    }
    observer.OnStep(step.message, TabList::NDB);
    if (!step.sort(rows, options.outputFolder, lists, observer)) result.outputWritten = false;
  }
  observer.OnStep(kStepReady, TabList::NDB);
  return result;
}

}  // namespace tessel
