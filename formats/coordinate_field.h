// Coordinate fields written straight into a caller's buffer, without temporary strings: rows that
// carry coordinates are written by the million.
#pragma once

#include <cstddef>

namespace corvane::formats {

// Writes the text of FormatCoordinate(valueDeg, pointColumn, decimals) into field, which holds
// pointColumn + decimals characters. Returns false, with field unspecified, for a value that is
// not finite or does not fit; FormatCoordinate then says why.
bool WriteCoordinateField(double valueDeg, std::size_t pointColumn, std::size_t decimals, char* field);

}  // namespace corvane::formats
