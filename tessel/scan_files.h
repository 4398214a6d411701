// Decodes every listed scenery file and writes the scan-order files.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tessel/output_kinds.h"
#include "tessel/run_observer.h"
#include "tessel/scan_pool.h"
#include "tessel/scenery_rows.h"

namespace tessel {

struct ScanFilesResult {
  bool outputWritten = true;  // false when an output file could not be opened or written
  bool stopped = false;       // the observer asked to stop; the files stay as far as written
  std::size_t damagedFiles = 0;
};

// Opens the scan-order files of the ticked kinds in outputFolder (replacing them), decodes the
// files on `workers` threads and writes what they give in list order into them and into rows, and
// closes them. A file that cannot be read or is damaged is reported and the scan goes on with the
// next one. The observer is called on the caller's thread only.
ScanFilesResult ScanFiles(const std::vector<std::string>& files, const OutputKinds& kinds,
                          const std::filesystem::path& outputFolder, RowLists& rows, RunLists& lists,
                          RunObserver& observer, std::size_t workers = ScanPool::DefaultWorkers());

}  // namespace tessel
