// The replace-by-rename writer: temporary beside the target, every step checked, rename at the end.
#include "formats/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>
#include <span>
#include <system_error>

namespace corvane::formats {
namespace {

std::atomic<int> gSimulatedFullDisks{0};

// A name no other writer picks: a dot first, so that folder listings hide it while it exists.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = std::random_device{}();
  const std::string suffix = std::to_string(seed) + "-" + std::to_string(counter.fetch_add(1));
  return target.parent_path() / ("." + target.filename().string() + "." + suffix + ".tmp");
}

// The file the name stands for: a symbolic link keeps pointing at the file it named.
std::filesystem::path ResolvedTarget(const std::filesystem::path& target) {
  std::error_code error;
  if (!std::filesystem::is_symlink(target, error)) return target;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
  return error ? target : resolved;
}

}  // namespace

AtomicFile::~AtomicFile() { Abandon(); }

bool AtomicFile::Open(const std::filesystem::path& target, std::string& reason) {
  Abandon();
  target_ = target;
  failed_ = false;
  failure_.clear();
  replaced_ = ResolvedTarget(target);
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(replaced_, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    if (std::filesystem::is_directory(status)) {
      reason = std::strerror(EISDIR);
      return false;
    }
    return file_.OpenForWriting(replaced_, reason);
  }
  // A leftover of the same name (a crash between two runs of one counter) is passed over.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const std::filesystem::path temporary = TemporaryBeside(replaced_);
    if (file_.CreateNew(temporary, reason)) {
      temporary_ = temporary;
      if (std::filesystem::exists(status)) file_.TakePermissionsOf(replaced_);
      return true;
    }
    if (!std::filesystem::exists(temporary, error)) return false;
  }
  return false;
}

void AtomicFile::Fail(std::string reason) {
  if (failed_) return;
  failed_ = true;
  failure_ = std::move(reason);
}

void AtomicFile::Write(std::string_view bytes) {
  if (failed_ || !file_.IsOpen() || bytes.empty()) return;
  if (gSimulatedFullDisks.load() > 0) return Fail(std::strerror(ENOSPC));
  std::string reason;
  if (!file_.Write(std::as_bytes(std::span(bytes.data(), bytes.size())), reason)) Fail(reason);
}

bool AtomicFile::Commit(std::string& reason) {
  if (!file_.IsOpen()) {
    reason = failed_ ? failure_ : std::string("not open");
    return false;
  }
  std::string failure;
  if (!temporary_.empty() && !failed_ && !file_.Sync(failure)) Fail(failure);
  if (!file_.Close(failure)) Fail(failure);
  if (!failed_ && !temporary_.empty()) {
    if (!RenameOverFile(temporary_, replaced_, failure)) Fail(failure);
  }
  if (failed_) {
    Abandon();
    reason = failure_;
    return false;
  }
  temporary_.clear();
  return true;
}

void AtomicFile::Abandon() {
  std::string ignored;
  file_.Close(ignored);
  if (temporary_.empty()) return;
  std::error_code error;
  std::filesystem::remove(temporary_, error);
  temporary_.clear();
}

std::optional<std::string> WriteFileAtomically(const std::filesystem::path& target, std::string_view content) {
  AtomicFile file;
  std::string reason;
  if (!file.Open(target, reason)) return reason;
  file.Write(content);
  if (!file.Commit(reason)) return reason;
  return std::nullopt;
}

SimulatedFullDisk::SimulatedFullDisk() { ++gSimulatedFullDisks; }
SimulatedFullDisk::~SimulatedFullDisk() { --gSimulatedFullDisks; }

}  // namespace corvane::formats
