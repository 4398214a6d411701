// Cutting fixed-column and comma-separated fields out of a DAT line, and converting them to numbers
// with "." as the decimal point whatever the locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formats/conversion_error.h"
#include "formats/dat_columns.h"

namespace corvane::formats {

// The characters of the line in the column range; a line shorter than the field gives what is there
// (possibly nothing).
std::string_view CutField(std::string_view line, Column column);

// Blanks removed from both ends: spaces, tabs and line-end characters. The one trim of the project.
std::string_view TrimBlanks(std::string_view text);

// CutField, then TrimBlanks.
std::string_view TrimmedField(std::string_view line, Column column);

// The 1-based comma-separated field of the line; empty when the line has fewer fields.
std::string_view CommaField(std::string_view line, std::size_t fieldNumber);

// Whole text (blanks around it ignored) as a number; a leading "+" is accepted. Anything else,
// an empty text, or a value out of range throws ConversionError carrying the text.
double ParseDouble(std::string_view text);
float ParseFloat(std::string_view text);
int32_t ParseInt(std::string_view text);

}  // namespace corvane::formats
