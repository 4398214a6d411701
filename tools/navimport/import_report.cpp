// The conversion report: row counts, drop counts by reason, and the full list of dropped rows.
#include "tools/navimport/import_report.h"

#include <algorithm>

namespace corvane::navimport {

void ImportReport::Drop(std::string_view file, std::size_t lineNumber, std::string_view reason,
                        std::string_view detail) {
  drops_.push_back(DroppedRow{std::string(file), lineNumber, std::string(reason), std::string(detail)});
}

void ImportReport::DropOutsideBox(std::string_view file, std::size_t count) {
  auto found = outsideBox_.find(file);
  if (found == outsideBox_.end()) {
    found = outsideBox_.emplace(std::string(file), 0).first;
  }
  found->second += count;
}

void ImportReport::Written(std::string_view outputFile, std::size_t rows) {
  written_.emplace_back(std::string(outputFile), rows);
}

void ImportReport::Note(std::string text) { notes_.push_back(std::move(text)); }

std::size_t ImportReport::outsideBox(std::string_view file) const {
  const auto found = outsideBox_.find(file);
  return found == outsideBox_.end() ? 0 : found->second;
}

std::size_t ImportReport::written(std::string_view outputFile) const {
  for (const auto& [name, rows] : written_) {
    if (name == outputFile) {
      return rows;
    }
  }
  return 0;
}

std::size_t ImportReport::DropCount(std::string_view file, std::string_view reason) const {
  return static_cast<std::size_t>(std::count_if(
      drops_.begin(), drops_.end(), [&](const DroppedRow& row) { return row.file == file && row.reason == reason; }));
}

std::string ImportReport::Summary() const {
  std::string text = "Rows written:\n";
  for (const auto& [name, rows] : written_) {
    text += "  " + name + ": " + std::to_string(rows) + "\n";
  }
  std::map<std::pair<std::string, std::string>, std::size_t> byReason;
  for (const DroppedRow& row : drops_) {
    ++byReason[{row.file, row.reason}];
  }
  text += "Rows dropped:\n";
  if (byReason.empty() && outsideBox_.empty()) {
    text += "  none\n";
  }
  for (const auto& [file, count] : outsideBox_) {
    text += "  " + file + ": " + std::to_string(count) + " outside the box\n";
  }
  for (const auto& [key, count] : byReason) {
    text += "  " + key.first + ": " + std::to_string(count) + " " + key.second + "\n";
  }
  for (const std::string& note : notes_) {
    text += note + "\n";
  }
  return text;
}

std::string ImportReport::FullText() const {
  std::string text = Summary();
  if (!drops_.empty()) {
    text += "Every dropped row:\n";
  }
  for (const DroppedRow& row : drops_) {
    text += row.file;
    if (row.lineNumber != 0) {
      text += ":" + std::to_string(row.lineNumber);
    }
    text += ": " + row.reason;
    if (!row.detail.empty()) {
      text += ": " + row.detail;
    }
    text += "\n";
  }
  return text;
}

}  // namespace corvane::navimport
