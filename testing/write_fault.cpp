#include "testing/write_fault.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace corvane::test_support {
namespace fs = std::filesystem;

const char* Describe(WriteFault fault) { return fault == WriteFault::kFullDisk ? "full disk" : "read-only folder"; }

FaultyFolder::FaultyFolder(const std::string& fileName, const std::string& earlierContent)
    : folder_(scratch_.path() / "out"), file_(folder_ / fileName), earlierContent_(earlierContent) {
  fs::create_directories(folder_);
  std::ofstream(file_, std::ios::binary) << earlierContent_;
}

FaultyFolder::~FaultyFolder() { Disarm(); }

bool FaultyFolder::Arm(WriteFault fault, std::string& whyNot) {
  if (fault == WriteFault::kFullDisk) {
    fullDisk_ = std::make_unique<formats::SimulatedFullDisk>();
    return true;
  }
  fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
  readOnly_ = true;
  // Root writes in any folder (tests run as root on CI), and Windows ignores the folder's bits.
  const fs::path probe = folder_ / "write_probe";
  const bool refused = !std::ofstream(probe, std::ios::binary).is_open();
  if (refused) return true;
  std::error_code error;
  fs::remove(probe, error);
  Disarm();
  whyNot = "a folder without write rights is writable here (running as root?): the read-only case is not tried";
  return false;
}

void FaultyFolder::Disarm() {
  fullDisk_.reset();
  if (!readOnly_) return;
  std::error_code error;
  fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::replace, error);
  readOnly_ = false;
}

bool FaultyFolder::EarlierFileIntact() const {
  std::ifstream in(file_, std::ios::binary);
  const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::error_code error;
  // The writer's temporaries are hidden files beside the target.
  bool leftover = false;
  for (auto it = fs::directory_iterator(folder_, error); !error && it != fs::directory_iterator();
       it.increment(error)) {
    leftover = leftover || it->path().filename().string().starts_with(".");
  }
  return in.is_open() && content == earlierContent_ && !leftover;
}

}  // namespace corvane::test_support
