// Decodes the listed scenery files on worker threads, a few files ahead of the caller, and hands
// them over in list order, so the output keeps the order of a one-file-at-a-time scan.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tessel/output_kinds.h"
#include "tessel/scanned_file.h"

namespace tessel {

class ScanPool {
 public:
  // Starts `workers` threads (at least one) on files; the list must outlive the pool.
  ScanPool(const std::vector<std::string>& files, const OutputKinds& kinds, std::size_t workers);
  // Lets the workers finish the files they hold, drops what they made and joins them.
  ~ScanPool();
  ScanPool(const ScanPool&) = delete;
  ScanPool& operator=(const ScanPool&) = delete;

  // Waits for the file after the last one released (0 first) and returns what its scan made,
  // valid until Release().
  const ScannedFile& TakeNext();
  // Gives the file taken last back, so a worker can go on to a later one.
  void Release();

  // The worker count for this machine: one per core, between 1 and 4.
  static std::size_t DefaultWorkers();

 private:
  struct Slot {
    ScannedFile file;
    bool ready = false;
  };
  void Work();

  const std::vector<std::string>& files_;
  const OutputKinds kinds_;
  std::vector<Slot> slots_;  // file i is made in slot i % size
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t nextToClaim_ = 0;
  std::size_t released_ = 0;  // files taken and given back, in order
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace tessel
