// Indexing the layout file by the header rows' idents, and keeping files between loads.
#include "corvane/airport/layout_file_index.h"

#include <algorithm>
#include <system_error>
#include <tuple>

#include "corvane/navdata/data_file_name.h"
#include "formats/dat_columns.h"

namespace corvane::airport {

namespace col = formats::layout_columns;

LayoutFileIndex::LayoutFileIndex(std::unique_ptr<formats::TextFile> file) : file_(std::move(file)) {
  const std::size_t identOffset = col::kHeaderIdentFirst - 1;
  for (std::size_t index = 0; index < file_->size(); ++index) {
    const std::string_view line = (*file_)[index];
    if (!line.starts_with(col::kHeaderCodeRead)) continue;
    headerIndices_.push_back(index);
    byText_.push_back({line.size() > identOffset ? line.substr(identOffset) : std::string_view(), index});
  }
  std::sort(byText_.begin(), byText_.end(), [](const Header& a, const Header& b) {
    return std::tie(a.text, a.lineIndex) < std::tie(b.text, b.lineIndex);
  });
}

std::optional<AirportSection> LayoutFileIndex::Find(std::string_view ident) const {
  if (ident.empty()) return std::nullopt;
  // Every header starting with the ident sorts from here on; the earliest line wins, as a scan would find it.
  auto match = std::lower_bound(byText_.begin(), byText_.end(), ident,
                                [](const Header& header, std::string_view text) { return header.text < text; });
  std::optional<std::size_t> first;
  for (; match != byText_.end() && match->text.starts_with(ident); ++match) {
    if (!first || match->lineIndex < *first) first = match->lineIndex;
  }
  if (!first) return std::nullopt;
  const auto next = std::upper_bound(headerIndices_.begin(), headerIndices_.end(), *first);
  return AirportSection{*first, next == headerIndices_.end() ? file_->size() : *next};
}

bool LayoutFileCache::Refresh(Entry& entry, const std::filesystem::path& folder, std::string_view fileName,
                              std::vector<navdata::LoadProblem>& problems) {
  const std::optional<std::filesystem::path> path = navdata::FindFileIgnoringCase(folder, fileName);
  if (!path) {
    entry = Entry{};
    problems.push_back({std::string(fileName), 0, "file not found in " + folder.string()});
    return false;
  }
  std::error_code error;
  Stamp stamp{*path, std::filesystem::file_size(*path, error), std::filesystem::last_write_time(*path, error)};
  if ((entry.text || entry.index) && !error && stamp == entry.stamp) return true;
  entry = Entry{};
  try {
    entry.text = std::make_unique<formats::TextFile>(*path);
  } catch (const formats::TextFileError& failure) {
    problems.push_back({path->filename().string(), 0, failure.what()});
    return false;
  }
  entry.stamp = std::move(stamp);
  entry.name = path->filename().string();
  return true;
}

const LayoutFileIndex* LayoutFileCache::Layout(const std::filesystem::path& folder, std::string_view fileName,
                                               std::vector<navdata::LoadProblem>& problems) {
  if (!Refresh(layout_, folder, fileName, problems)) return nullptr;
  if (!layout_.index) layout_.index = std::make_unique<LayoutFileIndex>(std::move(layout_.text));
  return layout_.index.get();
}

const formats::TextFile* LayoutFileCache::Runways(const std::filesystem::path& folder, std::string_view fileName,
                                                  std::vector<navdata::LoadProblem>& problems) {
  if (!Refresh(runways_, folder, fileName, problems)) return nullptr;
  return runways_.text.get();
}

}  // namespace corvane::airport
