#include "testing/scratch_folder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <system_error>

namespace corvane::test_support {

ScratchFolder::ScratchFolder() {
  // A random number per program, the clock and a counter: test programs run side by side, and one
  // program makes many folders.
  static const unsigned programNumber = std::random_device{}();
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() / ("corvane_test_" + std::to_string(programNumber) + "_" +
                                                    std::to_string(stamp) + "_" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  // A test may have taken the owner's rights away to provoke a failure; give them back to clean up.
  std::error_code error;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(path_, error);
}

bool ScratchFolder::IgnoresCase() const {
  const std::filesystem::path probe = path_ / "case_probe";
  { std::ofstream(probe) << "x"; }
  std::error_code error;
  const bool ignores = std::filesystem::exists(path_ / "CASE_PROBE", error);
  std::filesystem::remove(probe, error);
  return ignores;
}

}  // namespace corvane::test_support
