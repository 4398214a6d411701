// Locale-free number parsing and formatting with std::from_chars / std::to_chars.
#include "number_text.h"

#include <charconv>
#include <limits>

#include "formats/conversion_error.h"
#include "formats/field_cut.h"

namespace corvane::shell {
namespace {

using formats::TrimBlanks;

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with('$')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  // Hexadecimal texts name a 32-bit pattern, so $80000001 reads as the system colour it stands for.
  if (base == 16 && !negative && magnitude <= std::numeric_limits<std::uint32_t>::max()) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
  }
  const std::int64_t value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  if (magnitude > 0x80000000ULL || value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

std::optional<double> ParseFloat(std::string_view text) {
  text = TrimBlanks(text);
  if (text.starts_with('+')) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::int32_t StrToInt(std::string_view text) {
  if (auto value = ParseInteger(text)) return *value;
  throw formats::ConversionError(text, "integer value");
}

std::uint32_t StrToInterval(std::string_view text) {
  const auto value = ParseInteger(text);
  if (!value || *value < 0) throw formats::ConversionError(text, "timer interval");
  return static_cast<std::uint32_t>(*value);
}

std::string FormatInteger(std::int64_t value) { return std::to_string(value); }

std::string FormatFloat(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  // Trim the zeros the fixed precision leaves behind ("52.0000000000000" -> "52").
  const auto exponent = text.find_first_of("eE");
  std::string mantissa = text.substr(0, exponent);
  if (mantissa.find('.') != std::string::npos) {
    mantissa.erase(mantissa.find_last_not_of('0') + 1);
    if (mantissa.back() == '.') mantissa.pop_back();
  }
  return exponent == std::string::npos ? mantissa : mantissa + text.substr(exponent);
}

}  // namespace corvane::shell
