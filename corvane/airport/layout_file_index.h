// A layout or runway file held in memory, with its airport header rows indexed by ident, so that
// opening the view a second time neither reads nor scans the file again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/navdata/load_report.h"
#include "formats/text_lines.h"

namespace corvane::airport {

// The lines of one airport in the layout file: its header, then everything up to the next header.
struct AirportSection {
  std::size_t headerIndex = 0;  // 0-based line index
  std::size_t endIndex = 0;     // one past the last line
};

class LayoutFileIndex {
 public:
  explicit LayoutFileIndex(std::unique_ptr<formats::TextFile> file);

  const formats::TextFile& file() const { return *file_; }

  // The first header in file order whose text from the ident column starts with the ident.
  std::optional<AirportSection> Find(std::string_view ident) const;

 private:
  struct Header {
    std::string_view text;  // from the ident column to the end of the line
    std::size_t lineIndex = 0;
  };

  std::unique_ptr<formats::TextFile> file_;
  std::vector<Header> byText_;              // sorted by text, then line
  std::vector<std::size_t> headerIndices_;  // in file order
};

// Keeps the files of the last loads; a file is read again only when its name, size or time changed.
class LayoutFileCache {
 public:
  // The layout file of the folder, indexed; null with a problem added when it cannot be read.
  const LayoutFileIndex* Layout(const std::filesystem::path& folder, std::string_view fileName,
                                std::vector<navdata::LoadProblem>& problems);
  // The runway file of the folder; null with a problem added when it cannot be read.
  const formats::TextFile* Runways(const std::filesystem::path& folder, std::string_view fileName,
                                   std::vector<navdata::LoadProblem>& problems);
  // The name on disk of the file last returned by Layout or Runways.
  const std::string& LayoutName() const { return layout_.name; }
  const std::string& RunwaysName() const { return runways_.name; }

 private:
  struct Stamp {
    std::filesystem::path path;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time{};
    bool operator==(const Stamp&) const = default;
  };
  struct Entry {
    Stamp stamp;
    std::string name;
    std::unique_ptr<formats::TextFile> text;
    std::unique_ptr<LayoutFileIndex> index;
  };

  // Re-reads the entry's file unless its stamp is unchanged; false with a problem when it cannot.
  static bool Refresh(Entry& entry, const std::filesystem::path& folder, std::string_view fileName,
                      std::vector<navdata::LoadProblem>& problems);

  Entry layout_;
  Entry runways_;
};

}  // namespace corvane::airport
