// The two faults every writer of a file is tried against: a full disk (simulated at the one write
// helper, since a small file system needs root) and a folder without write rights. Each leaves an
// earlier file in a folder of its own, for the test to check that it is intact afterwards.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "formats/atomic_file.h"
#include "testing/scratch_folder.h"

namespace corvane::test_support {

enum class WriteFault { kFullDisk, kReadOnlyFolder };

const char* Describe(WriteFault fault);

class FaultyFolder {
 public:
  // The folder, with `fileName` in it holding `earlierContent`, before the fault.
  FaultyFolder(const std::string& fileName, const std::string& earlierContent);
  ~FaultyFolder();
  FaultyFolder(const FaultyFolder&) = delete;
  FaultyFolder& operator=(const FaultyFolder&) = delete;

  // Puts the fault in place; false when it cannot be had here (a read-only folder as root, where every
  // folder is writable, or on Windows), with the reason for the test's skip message.
  bool Arm(WriteFault fault, std::string& whyNot);
  // Takes the fault away again, so that the test can look at the folder.
  void Disarm();

  const std::filesystem::path& folder() const { return folder_; }
  const std::filesystem::path& file() const { return file_; }
  const std::string& earlierContent() const { return earlierContent_; }
  // The earlier file as it was, and no temporary left behind in the folder.
  bool EarlierFileIntact() const;

 private:
  ScratchFolder scratch_;
  std::filesystem::path folder_;
  std::filesystem::path file_;
  std::string earlierContent_;
  std::unique_ptr<formats::SimulatedFullDisk> fullDisk_;
  bool readOnly_ = false;
};

}  // namespace corvane::test_support
