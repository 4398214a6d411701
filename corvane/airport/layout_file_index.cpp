// Indexing the layout file by the header rows' idents, and keeping files between loads.
#include "corvane/airport/layout_file_index.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <tuple>

#include "corvane/navdata/data_file_name.h"
#include "formats/dat_columns.h"

namespace corvane::airport {

namespace col = formats::layout_columns;

namespace {

// Large enough that a read costs little beside the scan, small enough to stay in the cache.
constexpr std::size_t kBlockBytes = 1 << 20;

std::ifstream OpenForReading(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) throw formats::TextFileError(path, "is a folder, not a file");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw formats::TextFileError(path, std::strerror(errno));
  return in;
}

// The header's ident is the whole typed ident: a blank or the line's end follows it, or it fills the
// ident field, after which the name may follow without a blank.
bool IdentIsWhole(std::string_view headerText, std::string_view ident) {
  if (!headerText.starts_with(ident)) return false;
  return headerText.size() == ident.size() || headerText[ident.size()] == ' ' ||
         ident.size() >= col::kHeaderIdentWritten.last - col::kHeaderIdentWritten.first + 1;
}

std::string_view WithoutCarriageReturn(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace

LayoutFileIndex::LayoutFileIndex(std::filesystem::path path) : path_(std::move(path)) {
  std::ifstream in = OpenForReading(path_);
  std::string block(kBlockBytes, '\0');
  std::size_t kept = 0;          // bytes of an unfinished line at the start of the block
  std::uint64_t blockStart = 0;  // file offset of block[0]
  std::size_t lineNumber = 0;
  for (;;) {
    in.read(block.data() + kept, static_cast<std::streamsize>(block.size() - kept));
    const std::size_t filled = kept + static_cast<std::size_t>(in.gcount());
    if (in.bad()) throw formats::TextFileError(path_, "read error");
    const bool atEnd = filled < block.size();
    const std::string_view text(block.data(), filled);
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t newline = text.find('\n', start);
      if (newline == std::string_view::npos && !atEnd) break;
      const std::size_t end = newline == std::string_view::npos ? text.size() : newline;
      ++lineNumber;
      const std::string_view line = WithoutCarriageReturn(text.substr(start, end - start));
      if (line.starts_with(col::kHeaderCodeRead)) AddHeader(line, blockStart + start, lineNumber);
      start = end + 1;
    }
    if (atEnd) {
      blockStart += filled;
      break;
    }
    // A line longer than the block: the block grows until the line fits.
    if (start == 0) block.resize(block.size() * 2);
    kept = filled - std::min(start, filled);
    std::memmove(block.data(), block.data() + start, kept);
    blockStart += start;
  }
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    sections_[i].endByte = i + 1 < sections_.size() ? sections_[i + 1].firstByte : blockStart;
  }
  std::sort(byText_.begin(), byText_.end(),
            [](const Header& a, const Header& b) { return std::tie(a.text, a.order) < std::tie(b.text, b.order); });
}

void LayoutFileIndex::AddHeader(std::string_view line, std::uint64_t firstByte, std::size_t lineNumber) {
  const std::size_t identOffset = col::kHeaderIdentFirst - 1;
  byText_.push_back(
      {std::string(line.size() > identOffset ? line.substr(identOffset) : std::string_view()), sections_.size()});
  sections_.push_back({firstByte, 0, lineNumber});
}

std::optional<AirportSection> LayoutFileIndex::Find(std::string_view ident) const {
  if (ident.empty()) return std::nullopt;
  // Every header starting with the ident sorts from here on; of those whose ident is the whole typed
  // ident, the earliest line wins, as a scan would find it.
  auto match = std::lower_bound(byText_.begin(), byText_.end(), ident,
                                [](const Header& header, std::string_view text) { return header.text < text; });
  std::optional<std::size_t> first;
  for (; match != byText_.end() && match->text.starts_with(ident); ++match) {
    if (IdentIsWhole(match->text, ident) && (!first || match->order < *first)) first = match->order;
  }
  if (!first) return std::nullopt;
  return sections_[*first];
}

std::unique_ptr<formats::TextFile> LayoutFileIndex::ReadSection(const AirportSection& section) const {
  std::ifstream in = OpenForReading(path_);
  std::string text(section.endByte - section.firstByte, '\0');
  in.seekg(static_cast<std::streamoff>(section.firstByte));
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (static_cast<std::size_t>(in.gcount()) != text.size()) throw formats::TextFileError(path_, "read error");
  return std::make_unique<formats::TextFile>(std::move(text));
}

bool LayoutFileCache::Locate(Entry& entry, const std::filesystem::path& folder, std::string_view fileName,
                             std::vector<navdata::LoadProblem>& problems, bool& current) {
  const std::optional<std::filesystem::path> path = navdata::FindFileIgnoringCase(folder, fileName);
  if (!path) {
    entry = Entry{};
    problems.push_back({std::string(fileName), 0, "file not found in " + folder.string()});
    return false;
  }
  std::error_code error;
  Stamp stamp{*path, std::filesystem::file_size(*path, error), std::filesystem::last_write_time(*path, error)};
  current = (entry.text || entry.index) && !error && stamp == entry.stamp;
  if (!current) {
    entry = Entry{};
    entry.stamp = std::move(stamp);
    entry.name = path->filename().string();
  }
  return true;
}

const LayoutFileIndex* LayoutFileCache::Layout(const std::filesystem::path& folder, std::string_view fileName,
                                               std::vector<navdata::LoadProblem>& problems) {
  bool current = false;
  if (!Locate(layout_, folder, fileName, problems, current)) return nullptr;
  if (current) return layout_.index.get();
  try {
    layout_.index = std::make_unique<LayoutFileIndex>(layout_.stamp.path);
  } catch (const formats::TextFileError& failure) {
    problems.push_back({layout_.name, 0, failure.what()});
    layout_ = Entry{};
    return nullptr;
  }
  return layout_.index.get();
}

const formats::TextFile* LayoutFileCache::Runways(const std::filesystem::path& folder, std::string_view fileName,
                                                  std::vector<navdata::LoadProblem>& problems) {
  bool current = false;
  if (!Locate(runways_, folder, fileName, problems, current)) return nullptr;
  if (current) return runways_.text.get();
  try {
    runways_.text = std::make_unique<formats::TextFile>(runways_.stamp.path);
  } catch (const formats::TextFileError& failure) {
    problems.push_back({runways_.name, 0, failure.what()});
    runways_ = Entry{};
    return nullptr;
  }
  return runways_.text.get();
}

}  // namespace corvane::airport
