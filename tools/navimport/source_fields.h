// Cutting a source line into blank-separated fields and converting them, locale-free.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "formats/field_cut.h"
#include "tools/navimport/source_file.h"

namespace corvane::navimport {

// Up to kMaxFields fields of a line; the text from any field to the end stays reachable (names).
class LineFields {
 public:
  static constexpr std::size_t kMaxFields = 32;

  explicit LineFields(std::string_view line);

  std::size_t size() const noexcept { return count_; }
  std::string_view operator[](std::size_t index) const { return index < count_ ? fields_[index] : std::string_view(); }
  // The line from the start of field `index` to its end, trailing blanks removed ("" past the end).
  std::string_view Rest(std::size_t index) const;

 private:
  std::string_view line_;
  std::string_view fields_[kMaxFields];
  std::size_t count_ = 0;
};

// The version number at the start of line 2 ("1200 Version - data cycle 2406 ..."); 0 when there is none.
long FormatVersion(const SourceFile& file);
// The text of line 2 after the version number, trimmed (for the console and the report).
std::string_view VersionText(const SourceFile& file);

// A decimal number, the whole field ("52.3", "-004.5"); nullopt when it is not one or not finite.
std::optional<double> ParseDecimal(std::string_view field);
// A whole number, the whole field; nullopt when it is not one.
std::optional<long> ParseWhole(std::string_view field);

using formats::TrimBlanks;

}  // namespace corvane::navimport
