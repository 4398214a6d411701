// One source file read whole into memory (plain or gzip), with its lines as views into the text.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::navimport {

// A source file that cannot be found, opened or decompressed; what() names the path and the reason.
class SourceFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SourceFile {
 public:
  // Text already in memory, named for the report (used by the tests).
  SourceFile(std::string name, std::string text);

  // Reads the file at `path`; a gzip file is decompressed, a plain file read as it is.
  static SourceFile Read(const std::filesystem::path& path);
  // Finds `baseName` or `baseName.gz` in `folder` and reads it.
  static SourceFile Find(const std::filesystem::path& folder, std::string_view baseName);

  // The name used in the report ("apt.dat").
  const std::string& name() const noexcept { return name_; }
  // Lines without their line ends (LF, CR LF or CR LF mixed); line k of the file is lines()[k - 1].
  const std::vector<std::string_view>& lines() const noexcept { return lines_; }

  SourceFile(SourceFile&&) = default;
  SourceFile& operator=(SourceFile&&) = default;
  SourceFile(const SourceFile&) = delete;
  SourceFile& operator=(const SourceFile&) = delete;

 private:
  std::string name_;
  std::string text_;
  std::vector<std::string_view> lines_;
};

// Reads a whole file, decompressing it when it is gzip (zlib reads plain files unchanged).
std::string ReadPossiblyCompressed(const std::filesystem::path& path);

}  // namespace corvane::navimport

namespace corvane::navimport {

// Calls visit(lineNumber, line) for each data line of an X-Plane source file: the "I"/"A" line and
// the version line are skipped, blank lines too, and the "99" line ends the data.
template <typename Visit>
void ForEachDataLine(const SourceFile& file, Visit&& visit) {
  const auto& lines = file.lines();
  for (std::size_t index = 2; index < lines.size(); ++index) {
    const std::string_view line = lines[index];
    std::size_t first = 0;
    while (first < line.size() && (line[first] == ' ' || line[first] == '\t')) {
      ++first;
    }
    if (first == line.size()) {
      continue;
    }
    const std::string_view rest = line.substr(first);
    if (rest == "99" || (rest.size() > 2 && rest.substr(0, 2) == "99" && (rest[2] == ' ' || rest[2] == '\t'))) {
      break;
    }
    visit(index + 1, line);
  }
}

}  // namespace corvane::navimport
