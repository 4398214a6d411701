// Decimal texts of a double: plain (rounded to 15 significant digits before any cutting) and fixed.
#include "formats/plain_decimal.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <system_error>

namespace corvane::formats {

std::string PlainDecimalText(double value) {
  if (!std::isfinite(value)) {
    throw std::invalid_argument("a non-finite number has no decimal text");
  }
  if (value == 0.0) {
    return "0";
  }
  // Scientific form with 15 significant digits does the rounding: "d.dddddddddddddde+XX".
  char scientific[40];
  const auto result =
      std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific, 14);
  if (result.ec != std::errc{}) {
    throw std::invalid_argument("number too long for its decimal text");
  }
  const std::string_view text(scientific, static_cast<std::size_t>(result.ptr - scientific));
  const bool negative = text.front() == '-';
  const std::size_t exponentMark = text.find('e');
  std::string digits;
  for (char c : text.substr(0, exponentMark)) {
    if (c >= '0' && c <= '9') {
      digits += c;
    }
  }
  while (digits.size() > 1 && digits.back() == '0') {
    digits.pop_back();
  }
  int exponent = 0;
  std::string_view exponentText = text.substr(exponentMark + 1);
  if (!exponentText.empty() && exponentText.front() == '+') {
    exponentText.remove_prefix(1);
  }
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

  std::string out = negative ? "-" : "";
  const auto digitCount = static_cast<int>(digits.size());
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  } else if (exponent + 1 >= digitCount) {
    out += digits;
    out.append(static_cast<std::size_t>(exponent + 1 - digitCount), '0');
  } else {
    out.append(digits, 0, static_cast<std::size_t>(exponent + 1));
    out += '.';
    out.append(digits, static_cast<std::size_t>(exponent + 1));
  }
  return out;
}

std::string FixedDecimalText(double value, int decimals) {
  // Room for the 309 integer digits of the largest double and the decimals.
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ec == std::errc{} ? static_cast<std::size_t>(result.ptr - buffer) : 0);
}

}  // namespace corvane::formats
