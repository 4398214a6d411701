// Taxi node rows written straight into a caller's buffer.
#include "tessel/taxi_node_row.h"

#include <cstring>

#include "formats/coordinate_field.h"

namespace tessel {

bool WriteTaxiNodeRow(double latitudeDeg, double longitudeDeg, char* row) {
  using namespace taxi_node;
  using corvane::formats::WriteCoordinateField;
  std::memset(row, ' ', kRowBytes);
  std::memcpy(row, col::kTaxiNodeCode.data(), col::kTaxiNodeCode.size());
  return WriteCoordinateField(latitudeDeg, kLatitudePointColumn, kDecimals, row + col::kTaxiNodeLatitude.first - 1) &&
         WriteCoordinateField(longitudeDeg, kLongitudePointColumn, kDecimals, row + col::kTaxiNodeLongitude.first - 1);
}

}  // namespace tessel
