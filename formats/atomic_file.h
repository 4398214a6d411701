// Replacing a file whole, so that a failure at any step leaves the file that was there as it was: the
// bytes go to a temporary file in the target's folder, are flushed to the disk and take the target's
// name only when every write and the closing succeeded. Every program's writer of a file goes through it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "formats/native_file.h"

namespace corvane::formats {

class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile();  // a file neither committed nor abandoned is abandoned
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary beside `target`; false with the reason when the folder takes no new file.
  // A target that is there but no plain file (a device such as /dev/null, a pipe) cannot be replaced
  // by a rename and is written directly instead.
  bool Open(const std::filesystem::path& target, std::string& reason);
  bool IsOpen() const { return file_.IsOpen(); }
  // Appends the bytes. The first failure is kept for Commit; the writes after it do nothing.
  void Write(std::string_view bytes);
  bool Failed() const { return failed_; }
  // Flushes, closes and renames over the target; false with the reason of the first failure, the
  // temporary then removed and the target untouched.
  bool Commit(std::string& reason);
  // Drops what was written: the temporary goes, the target stays as it was.
  void Abandon();
  const std::filesystem::path& target() const { return target_; }

 private:
  void Fail(std::string reason);

  NativeFile file_;
  std::filesystem::path target_;
  std::filesystem::path replaced_;   // the file a symbolic link target_ stands for, else target_
  std::filesystem::path temporary_;  // empty when writing directly into a device or pipe
  bool failed_ = false;
  std::string failure_;
};

// The whole of `content` as the file `target`; the reason when it failed, the old file then intact.
std::optional<std::string> WriteFileAtomically(const std::filesystem::path& target, std::string_view content);

// For tests: while one lives, every write through AtomicFile fails as on a full disk.
class SimulatedFullDisk {
 public:
  SimulatedFullDisk();
  ~SimulatedFullDisk();
  SimulatedFullDisk(const SimulatedFullDisk&) = delete;
  SimulatedFullDisk& operator=(const SimulatedFullDisk&) = delete;
};

}  // namespace corvane::formats
