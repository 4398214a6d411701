// Decodes the listed scenery files on worker threads and hands them over in list order.
#include "tessel/scan_pool.h"

#include <algorithm>
#include <exception>

#include "tessel/bgl_decoder.h"
#include "tessel/byte_source.h"
#include "tessel/scenery_rows.h"

namespace tessel {
namespace {

void ScanOneFile(const std::string& path, FileByteSource& source, SceneryRowWriter& writer, ScannedFile& into) {
  into.Clear();
  std::string reason;
  if (!source.Open(path, reason)) {
    into.problems.push_back({"Cannot read " + path + ": " + reason});
    into.damaged = true;
    return;
  }
  writer.BeginFile(path, into);
  try {
    DecodeBglFile(source, writer);
  } catch (const std::exception& error) {
    // Out of memory, most likely: what the file gave so far stays, the scan goes on.
    into.problems.push_back({path + ": the rest of the file is left out: " + error.what()});
    into.damaged = true;
  }
  source.Close();
}

}  // namespace

std::size_t ScanPool::DefaultWorkers() { return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4); }

ScanPool::ScanPool(const std::vector<std::string>& files, const OutputKinds& kinds, std::size_t workers)
    : files_(files), kinds_(kinds) {
  workers = std::max<std::size_t>(workers, 1);
  // Two files in hand per worker keep each busy while the caller writes out the one before.
  slots_.resize(2 * workers + 1);
  for (std::size_t i = 0; i < workers; ++i) workers_.emplace_back([this] { Work(); });
}

ScanPool::~ScanPool() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void ScanPool::Work() {
  FileByteSource source;
  SceneryRowWriter writer(kinds_);
  for (;;) {
    std::size_t index = 0;
    {
      std::unique_lock lock(mutex_);
      // File i may go into its slot once file i - slot count has been given back.
      changed_.wait(
          lock, [&] { return stopping_ || nextToClaim_ >= files_.size() || nextToClaim_ < released_ + slots_.size(); });
      if (stopping_ || nextToClaim_ >= files_.size()) return;
      index = nextToClaim_++;
    }
    Slot& slot = slots_[index % slots_.size()];
    ScanOneFile(files_[index], source, writer, slot.file);
    {
      std::lock_guard lock(mutex_);
      slot.ready = true;
    }
    changed_.notify_all();
  }
}

const ScannedFile& ScanPool::TakeNext() {
  std::unique_lock lock(mutex_);
  Slot& slot = slots_[released_ % slots_.size()];
  changed_.wait(lock, [&] { return slot.ready; });
  return slot.file;
}

void ScanPool::Release() {
  {
    std::lock_guard lock(mutex_);
    slots_[released_ % slots_.size()].ready = false;
    ++released_;
  }
  changed_.notify_all();
}

}  // namespace tessel
