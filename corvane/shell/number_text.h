// Numbers in edit fields and the settings file: always "." and plain decimal, whatever the locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::shell {

// Decimal with an optional sign, or hexadecimal written "$1F" or "0x1F"; blanks around it are allowed.
std::optional<std::int32_t> ParseInteger(std::string_view text);
std::optional<double> ParseFloat(std::string_view text);

// As ParseInteger, but a text that is not an integer raises formats::ConversionError naming the text.
std::int32_t StrToInt(std::string_view text);
// A whole number of milliseconds from 0 up; anything else raises formats::ConversionError.
std::uint32_t StrToInterval(std::string_view text);

std::string FormatInteger(std::int64_t value);
// Up to 15 significant digits, shortest form ("5", "52.37").
std::string FormatFloat(double value);

}  // namespace corvane::shell
