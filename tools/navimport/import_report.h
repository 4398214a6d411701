// What a conversion wrote and what it left out, with the source file, line and reason of every drop.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::navimport {

struct DroppedRow {
  std::string file;        // source file name ("apt.dat")
  std::size_t lineNumber;  // 1-based; 0 when the row has no single line (a selection)
  std::string reason;      // short, fixed text: drops are counted by it
  std::string detail;      // the row's ident or the text that failed
};

class ImportReport {
 public:
  void Drop(std::string_view file, std::size_t lineNumber, std::string_view reason, std::string_view detail);
  // Rows outside the --box are counted per source file, not listed one by one.
  void DropOutsideBox(std::string_view file, std::size_t count = 1);
  void Written(std::string_view outputFile, std::size_t rows);
  void Note(std::string text);

  const std::vector<DroppedRow>& drops() const noexcept { return drops_; }
  std::size_t outsideBox(std::string_view file) const;
  std::size_t written(std::string_view outputFile) const;
  // Number of listed drops of `file` with this reason.
  std::size_t DropCount(std::string_view file, std::string_view reason) const;

  // Rows written per output file, drops counted per file and reason, notes.
  std::string Summary() const;
  // The summary followed by every listed drop, one per line ("apt.dat:1234: reason: detail").
  std::string FullText() const;

 private:
  std::vector<DroppedRow> drops_;
  std::map<std::string, std::size_t, std::less<>> outsideBox_;
  std::vector<std::pair<std::string, std::size_t>> written_;
  std::vector<std::string> notes_;
};

}  // namespace corvane::navimport
