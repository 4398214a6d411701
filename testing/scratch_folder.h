// A new empty folder under the system's temporary folder for one test, removed with its content at the end.
#pragma once

#include <filesystem>
#include <string>

namespace corvane::test_support {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  // True on a file system where "a" and "A" name one file (Windows): tests of names that differ
  // only in case cannot set up their files there.
  bool IgnoresCase() const;

 private:
  std::filesystem::path path_;
};

}  // namespace corvane::test_support
