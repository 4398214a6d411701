// The readers take files, so a target writes its input as the file the program would open: into a
// folder of the fuzzing process's own, in memory where the machine has /dev/shm.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace corvane::fuzzing {

// Removed when the fuzzing process ends.
struct OwnedFolder {
  std::filesystem::path path;
  ~OwnedFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

inline std::filesystem::path MadeFuzzFolder() {
  const std::filesystem::path base = std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                               : std::filesystem::temp_directory_path();
  std::filesystem::path path = base / ("corvane-fuzz-" + std::to_string(::getpid()));
  std::filesystem::create_directories(path);
  return path;
}

inline const std::filesystem::path& FuzzFolder() {
  static const OwnedFolder folder{MadeFuzzFolder()};
  return folder.path;
}

// Empties the folder, so that a file written for one input is not read with the next.
inline void ClearFuzzFolder() {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(FuzzFolder(), ignored)) {
    std::filesystem::remove_all(entry.path(), ignored);
  }
}

inline std::filesystem::path WriteFuzzFile(std::string_view name, std::string_view bytes) {
  const std::filesystem::path path = FuzzFolder() / name;
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The input's first line, and the rest: a target takes a parameter (an ident, a name) from the first line.
struct FirstLineSplit {
  std::string_view firstLine;
  std::string_view rest;
};
inline FirstLineSplit SplitFirstLine(std::string_view text) {
  const std::size_t end = text.find('\n');
  if (end == std::string_view::npos) return {text, {}};
  return {text.substr(0, end), text.substr(end + 1)};
}

}  // namespace corvane::fuzzing
