// Coordinate fields and taxi node rows written straight into a caller's buffer: the same bytes as
// the formatters in formats/, without their temporary strings, for the rows written by the million.
#pragma once

#include <cstddef>
#include <string_view>

#include "formats/dat_columns.h"

namespace tessel {

// Writes the text of FormatCoordinate(valueDeg, pointColumn, decimals) into field, which holds
// pointColumn + decimals characters. Returns false, with field unspecified, for a value that is
// not finite or does not fit; the caller then goes the formatter's way, which says why.
bool WriteCoordinateField(double valueDeg, std::size_t pointColumn, std::size_t decimals, char* field);

namespace taxi_node {
namespace col = corvane::formats::layout_columns;
inline constexpr std::size_t kLatitudePointColumn = 4;
inline constexpr std::size_t kLongitudePointColumn = 5;
inline constexpr std::size_t kDecimals = 8;
inline constexpr std::size_t kRowBytes = col::kTaxiNodeLongitude.last;
static_assert(col::kTaxiNodeLatitude.width() == kLatitudePointColumn + kDecimals);
static_assert(col::kTaxiNodeLongitude.width() == kLongitudePointColumn + kDecimals);
}  // namespace taxi_node

// Writes FormatTaxiNodeRow(latitudeDeg, longitudeDeg) into row (taxi_node::kRowBytes characters);
// false when a coordinate does not fit, as above.
bool WriteTaxiNodeRow(double latitudeDeg, double longitudeDeg, char* row);

}  // namespace tessel
