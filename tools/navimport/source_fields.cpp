// Field cutting and number conversion for the source files (std::from_chars: "." whatever the locale).
#include "tools/navimport/source_fields.h"

#include <charconv>
#include <cmath>

namespace corvane::navimport {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

LineFields::LineFields(std::string_view line) : line_(line) {
  std::size_t i = 0;
  while (count_ < kMaxFields) {
    while (i < line.size() && IsBlank(line[i])) {
      ++i;
    }
    if (i >= line.size()) {
      break;
    }
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) {
      ++i;
    }
    fields_[count_++] = line.substr(start, i - start);
  }
}

std::string_view LineFields::Rest(std::size_t index) const {
  if (index >= count_) {
    return {};
  }
  const auto start = static_cast<std::size_t>(fields_[index].data() - line_.data());
  return TrimBlanks(line_.substr(start));
}

long FormatVersion(const SourceFile& file) {
  if (file.lines().size() < 2) return 0;
  return ParseWhole(LineFields(file.lines()[1])[0]).value_or(0);
}

std::string_view VersionText(const SourceFile& file) {
  if (file.lines().size() < 2) return {};
  return TrimBlanks(file.lines()[1]);
}

std::optional<double> ParseDecimal(std::string_view field) {
  if (!field.empty() && field.front() == '+') {
    field.remove_prefix(1);
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc() || end != field.data() + field.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<long> ParseWhole(std::string_view field) {
  if (!field.empty() && field.front() == '+') {
    field.remove_prefix(1);
  }
  long value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc() || end != field.data() + field.size()) {
    return std::nullopt;
  }
  return value;
}

}  // namespace corvane::navimport
