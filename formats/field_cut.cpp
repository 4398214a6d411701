// Field cutting and locale-free number conversion for the DAT readers.
#include "formats/field_cut.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <type_traits>

namespace corvane::formats {

namespace {

constexpr std::string_view kFloatingKind = "floating point value";
constexpr std::string_view kIntegerKind = "integer value";

// Trimmed text without a leading "+", ready for from_chars; keeps the original for the error.
std::string_view NumberText(std::string_view trimmed) {
  if (trimmed.size() > 1 && trimmed.front() == '+' && trimmed[1] != '-' && trimmed[1] != '+') {
    trimmed.remove_prefix(1);
  }
  return trimmed;
}

template <typename Number>
Number ParseNumber(std::string_view text, std::string_view kind) {
  const std::string_view trimmed = TrimBlanks(text);
  const std::string_view digits = NumberText(trimmed);
  Number value{};
  const char* const end = digits.data() + digits.size();
  const auto result = std::from_chars(digits.data(), end, value);
  if (digits.empty() || result.ec != std::errc{} || result.ptr != end) {
    throw ConversionError(trimmed, kind);
  }
  if constexpr (std::is_floating_point_v<Number>) {
    // from_chars also reads "inf" and "nan"; no data file means those.
    if (!std::isfinite(value)) {
      throw ConversionError(trimmed, kind);
    }
  }
  return value;
}

}  // namespace

std::string_view CutField(std::string_view line, Column column) {
  if (column.first == 0 || line.size() < column.first) {
    return {};
  }
  const std::size_t start = column.first - 1;
  const std::size_t stop = column.last < line.size() ? column.last : line.size();
  return stop > start ? line.substr(start, stop - start) : std::string_view{};
}

std::string_view TrimBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::string_view TrimmedField(std::string_view line, Column column) { return TrimBlanks(CutField(line, column)); }

std::string_view CommaField(std::string_view line, std::size_t fieldNumber) {
  if (fieldNumber == 0) {
    return {};
  }
  std::size_t start = 0;
  for (std::size_t field = 1; field < fieldNumber; ++field) {
    const std::size_t comma = line.find(',', start);
    if (comma == std::string_view::npos) {
      return {};
    }
    start = comma + 1;
  }
  const std::size_t comma = line.find(',', start);
  return line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
}

double ParseDouble(std::string_view text) { return ParseNumber<double>(text, kFloatingKind); }

float ParseFloat(std::string_view text) { return ParseNumber<float>(text, kFloatingKind); }

int32_t ParseInt(std::string_view text) { return ParseNumber<int32_t>(text, kIntegerKind); }

}  // namespace corvane::formats
