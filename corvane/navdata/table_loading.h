// Mechanics shared by the table loaders: opening a data file, rejecting a row with its reason, and
// filling a table under the 0/0 and capacity rules while counting and reporting what was left out.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "corvane/navdata/load_report.h"
#include "corvane/navdata/nav_tables.h"
#include "formats/dat_columns.h"
#include "formats/text_lines.h"

namespace corvane::navdata {

// Thrown by the row parsers for a row that cannot be read; the loader reports it and goes on.
class RowRejected : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The number in the column range, converted as formats::ParseFloat does (a fast exact path first);
// a row too short for it or not a number is rejected with a reason naming the field and its columns.
float FloatField(std::string_view line, formats::Column column, std::string_view fieldName);
float FloatText(std::string_view text, std::string_view fieldName);

struct DataFile {
  std::string name;  // as found on disk, or as asked for when missing
  std::unique_ptr<formats::TextFile> text;
};

// Opens the named file of the folder, ignoring letter case. A missing or unreadable file is reported
// (unless it is optional and simply absent) and gives a DataFile without text.
DataFile OpenDataFile(const std::filesystem::path& folder, std::string_view fileName, LoadReport& report,
                      bool optional = false);

inline bool IsCommentLine(std::string_view line) { return !line.empty() && line.front() == formats::kCommentMark; }

// Appends rows to one table from one file: drops rows at 0/0, raises the capacity to the file's rows
// (a table opened for fewer rows than it is offered still stops at its capacity), counts all.
template <typename Table>
class TableFiller {
 public:
  TableFiller(Table& table, NavTableId tableId, LoadReport& report, std::string_view fileName, std::size_t expectedRows)
      : table_(table), tableId_(tableId), report_(report), fileName_(fileName) {
    table_.OpenForAppend(expectedRows);
  }
  TableFiller(const TableFiller&) = delete;
  TableFiller& operator=(const TableFiller&) = delete;

  // Writes the terminator and reports the rows that did not fit.
  ~TableFiller() {
    table_.Close();
    if (rowsLeftOut_ == 0) return;
    report_.problems.push_back({fileName_, firstLineLeftOut_,
                                std::string(NavTableName(tableId_)) + " is full (" + std::to_string(table_.MaxRows()) +
                                    " rows); rows left out from here on: " + std::to_string(rowsLeftOut_)});
  }

  void Offer(typename Table::RowType&& row, std::size_t lineNumber) {
    TableLoadCount& count = report_[tableId_];
    if (IsEndRow(row)) {
      ++count.droppedAtOrigin;
    } else if (table_.IsFull()) {
      if (rowsLeftOut_++ == 0) firstLineLeftOut_ = lineNumber;
      ++count.droppedOverCapacity;
    } else {
      table_.Append(std::move(row));
      ++count.loaded;
    }
  }

  void Reject(std::size_t lineNumber, std::string reason) {
    ++report_[tableId_].droppedBadRows;
    report_.problems.push_back({fileName_, lineNumber, std::move(reason)});
  }

 private:
  Table& table_;
  NavTableId tableId_;
  LoadReport& report_;
  std::string fileName_;
  std::size_t rowsLeftOut_ = 0;
  std::size_t firstLineLeftOut_ = 0;
};

enum class EmptyLines { kSkip, kAreRows };

// The common loop: every line from firstIndex on that is not a comment (nor, if so chosen, empty)
// is parsed by parseRow and offered to the filler; a rejected row is reported and the loop goes on.
template <typename Table, typename ParseRow>
void FillFromLines(TableFiller<Table>& filler, const formats::TextFile& file, std::size_t firstIndex,
                   EmptyLines emptyLines, ParseRow parseRow) {
  for (std::size_t index = firstIndex; index < file.size(); ++index) {
    const std::string_view line = file[index];
    if (IsCommentLine(line) || (line.empty() && emptyLines == EmptyLines::kSkip)) continue;
    try {
      filler.Offer(parseRow(line), index + 1);
    } catch (const RowRejected& rejected) {
      filler.Reject(index + 1, rejected.what());
    }
  }
}

// Loads one whole file into a table, appending after its current rows.
template <typename Table, typename ParseRow>
void AppendFileRows(Table& table, NavTableId tableId, const std::filesystem::path& folder, std::string_view fileName,
                    EmptyLines emptyLines, LoadReport& report, ParseRow parseRow) {
  const DataFile file = OpenDataFile(folder, fileName, report);
  if (!file.text) return;
  TableFiller<Table> filler(table, tableId, report, file.name, file.text->size());
  FillFromLines(filler, *file.text, 0, emptyLines, parseRow);
}

}  // namespace corvane::navdata
