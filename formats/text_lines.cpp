// Whole-file line reading and CR LF line writing for the DAT, plan and settings files.
#include "formats/text_lines.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>

namespace corvane::formats {

namespace {

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw TextFileError(path, "is a folder, not a file");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw TextFileError(path, std::strerror(errno));
  }
  std::string text;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) {
    throw TextFileError(path, "not a readable file");
  }
  in.seekg(0, std::ios::beg);
  if (size > 0) {
    text.resize(static_cast<std::size_t>(size));
    in.read(text.data(), size);
    text.resize(static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad() || (size > 0 && text.empty())) {
    throw TextFileError(path, "read error");
  }
  return text;
}

// Calls onLine for every line of text, line ends removed.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine onLine) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) {
      end = text.size();
    } else if (end > start && text[end - 1] == '\r') {
      --end;
    }
    onLine(text.substr(start, end - start));
    start = next;
  }
}

}  // namespace

TextFileError::TextFileError(const std::filesystem::path& path, const std::string& reason)
    : std::runtime_error("Cannot read " + path.string() + ": " + reason), path_(path) {}

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::vector<std::string> ReadTextLines(const std::filesystem::path& path) {
  return SplitTextLines(ReadWholeFile(path));
}

TextFile::TextFile(const std::filesystem::path& path) : text_(ReadWholeFile(path)) { Split(); }

TextFile::TextFile(std::string text) : text_(std::move(text)) { Split(); }

std::vector<std::string_view> SplitTextLineViews(std::string_view text) {
  std::vector<std::string_view> lines;
  // Navigation files run to about 40 bytes a line; one guess spares most of the regrowth.
  lines.reserve(text.size() / 40 + 1);
  ForEachLine(text, [&lines](std::string_view line) { lines.push_back(line); });
  return lines;
}

void TextFile::Split() { lines_ = SplitTextLineViews(text_); }

bool WriteTextLine(std::ostream& out, std::string_view line) {
  out.write(line.data(), static_cast<std::streamsize>(line.size()));
  out.write(kLineEnd.data(), static_cast<std::streamsize>(kLineEnd.size()));
  return static_cast<bool>(out);
}

bool WriteTextLine(std::FILE* out, std::string_view line) {
  return std::fwrite(line.data(), 1, line.size(), out) == line.size() &&
         std::fwrite(kLineEnd.data(), 1, kLineEnd.size(), out) == kLineEnd.size();
}

void AppendTextLine(std::string& out, std::string_view line) {
  out += line;
  out += kLineEnd;
}

}  // namespace corvane::formats
