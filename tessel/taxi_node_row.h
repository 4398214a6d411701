// Taxi node rows written straight into a caller's buffer: the same bytes as the layout formatter,
// without its temporary strings, for the rows written by the million.
#pragma once

#include <cstddef>
#include <string_view>

#include "formats/dat_columns.h"

namespace tessel {

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
// false when a coordinate does not fit, and the formatter says why.
bool WriteTaxiNodeRow(double latitudeDeg, double longitudeDeg, char* row);

}  // namespace tessel
