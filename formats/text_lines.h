// Reading the 8-bit text files line by line (CR LF or LF) and writing lines with CR LF.
#pragma once

#include <cstdio>
#include <filesystem>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::formats {

inline constexpr std::string_view kLineEnd = "\r\n";

// A file that cannot be opened or read; what() names the path and the reason.
class TextFileError : public std::runtime_error {
 public:
  TextFileError(const std::filesystem::path& path, const std::string& reason);
  const std::filesystem::path& path() const noexcept { return path_; }

 private:
  std::filesystem::path path_;
};

// The whole file as lines without their line ends. A line ends at LF, with one CR before it dropped;
// a last line without a line end counts, an empty tail after the last line end does not.
std::vector<std::string> ReadTextLines(const std::filesystem::path& path);

// The same split over text already in memory.
std::vector<std::string> SplitTextLines(std::string_view text);
// The same split as views into the text, which must outlive them.
std::vector<std::string_view> SplitTextLineViews(std::string_view text);

// The whole file held once, its lines as views into it: no allocation per line.
class TextFile {
 public:
  explicit TextFile(const std::filesystem::path& path);
  explicit TextFile(std::string text);

  const std::vector<std::string_view>& lines() const noexcept { return lines_; }
  std::size_t size() const noexcept { return lines_.size(); }
  std::string_view operator[](std::size_t index) const { return lines_[index]; }

  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

 private:
  void Split();

  std::string text_;
  std::vector<std::string_view> lines_;
};

// Writes the line followed by CR LF. Returns false when the stream or file reports a failure.
bool WriteTextLine(std::ostream& out, std::string_view line);
bool WriteTextLine(std::FILE* out, std::string_view line);
// Appends the line and CR LF to a text being built.
void AppendTextLine(std::string& out, std::string_view line);

}  // namespace corvane::formats
