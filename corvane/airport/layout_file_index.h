// The layout file indexed by its airport header rows, and the files of the last loads kept, so that
// opening the view a second time neither reads nor scans the whole layout file again.
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
  std::uint64_t firstByte = 0;       // where the header line starts
  std::uint64_t endByte = 0;         // where the next header starts, or the end of the file
  std::size_t headerLineNumber = 0;  // 1-based, for the reports
};

class LayoutFileIndex {
 public:
  // Reads the file once, a block at a time, keeping only the header rows and where each airport's
  // lines lie: a world-wide file is never held in memory whole. Throws formats::TextFileError.
  explicit LayoutFileIndex(std::filesystem::path path);

  // The first header in file order whose ident is the given ident whole ("E" does not find EBBR).
  std::optional<AirportSection> Find(std::string_view ident) const;

  // The lines of one airport, read from the file; the header is line 0. Throws formats::TextFileError.
  std::unique_ptr<formats::TextFile> ReadSection(const AirportSection& section) const;

 private:
  struct Header {
    std::string text;       // from the ident column to the end of the line
    std::size_t order = 0;  // index into sections_
  };

  void AddHeader(std::string_view line, std::uint64_t firstByte, std::size_t lineNumber);

  std::filesystem::path path_;
  std::vector<Header> byText_;            // sorted by text, then file order
  std::vector<AirportSection> sections_;  // in file order
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

  // Finds the entry's file and says whether what the entry holds is still that file; false with a
  // problem when there is no such file. A changed file empties the entry.
  static bool Locate(Entry& entry, const std::filesystem::path& folder, std::string_view fileName,
                     std::vector<navdata::LoadProblem>& problems, bool& current);

  Entry layout_;
  Entry runways_;
};

}  // namespace corvane::airport
