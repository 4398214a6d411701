// The nearby lists: short copies of the table rows inside a box around the map centre, ended by an end row.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane::map {

// Point kinds of the nearby point list.
inline constexpr std::int32_t kPointAirport = 1;
inline constexpr std::int32_t kPointNdb = 2;
inline constexpr std::int32_t kPointVor = 3;
inline constexpr std::int32_t kPointIls = 4;
inline constexpr std::int32_t kPointHeliport = 8;
inline constexpr std::int32_t kPointFix = 11;

struct NearbyPoint {
  std::int32_t kind = 0;
  float latitude = 0;
  float longitude = 0;
  std::string ident = " ";  // a single blank ends the list
  std::string info1 = " ";  // elevation, frequency text, "." for a fix
  std::string info2 = " ";  // a VOR's or ILS's name
};

struct NearbyAirway {
  float fromLatitude = 0;
  float fromLongitude = 0;
  float toLatitude = 0;
  float toLongitude = 0;
  std::string airwayName;
  std::int32_t level = 0;  // 1 high, 2 both, 3 low
};

struct NearbyGeo {
  float latitude1 = 0;
  float longitude1 = 0;
  float latitude2 = 0;
  float longitude2 = 0;
  std::int32_t sourceRow = 0;
  std::int32_t layer = 0;
};

struct NearbyRunway {
  float latitude = 0;
  float longitude = 0;
  float headingDegTrue = 0;
  float halfLengthM = 0;
  std::string designator;
  std::string extraText;
};

inline bool IsEndRow(const NearbyPoint& row) { return row.ident == " "; }
inline bool IsEndRow(const NearbyAirway& row) { return row.fromLatitude == 0 && row.fromLongitude == 0; }
inline bool IsEndRow(const NearbyGeo& row) {
  return row.latitude1 == 0 && row.longitude1 == 0 && row.latitude2 == 0 && row.longitude2 == 0;
}
inline bool IsEndRow(const NearbyRunway& row) { return row.latitude == 0 && row.longitude == 0; }

// The end row written by the tail fill (keeps the strings' storage for the next cycle).
void ClearToEnd(NearbyPoint& row);
void ClearToEnd(NearbyAirway& row);
void ClearToEnd(NearbyGeo& row);
void ClearToEnd(NearbyRunway& row);

// Rows from index 0 to the first end row. Storage grows only as far as rows have ever been written;
// every index past it reads as an end row, just as if the whole capacity had been filled with them.
template <typename Row, std::size_t Capacity>
class NearbyList {
 public:
  static constexpr std::size_t kCapacity = Capacity;

  NearbyList() : rows_(1) {}

  const Row& operator[](std::size_t index) const { return index < rows_.size() ? rows_[index] : endRow_; }

  std::size_t EndIndex() const {
    std::size_t index = 0;
    while (!IsEndRow(rows_[index])) ++index;
    return index;
  }

  // The row to overwrite at index, or nullptr at capacity - 1 and beyond (room stays for the end row).
  Row* Slot(std::size_t index) {
    if (index + 1 >= Capacity) return nullptr;
    if (index + 1 >= rows_.size()) rows_.resize(index + 2);
    return &rows_[index];
  }

  // End rows from `from` up to (not including) `limit`, and always at `from` itself.
  void FillEnd(std::size_t from, std::size_t limit) {
    const std::size_t end = std::min(std::max(limit, from + 1), rows_.size());
    for (std::size_t index = from; index < end; ++index) ClearToEnd(rows_[index]);
  }

 private:
  std::vector<Row> rows_;  // never empty; its last row is always an end row
  Row endRow_;
};

using NearbyPointList = NearbyList<NearbyPoint, 300000>;
using NearbyAirwayList = NearbyList<NearbyAirway, 30000>;
using NearbyGeoList = NearbyList<NearbyGeo, 500000>;
using NearbyRunwayList = NearbyList<NearbyRunway, 300000>;

// Where the refresh fills the tails up to.
inline constexpr std::size_t kPointFillLimit = 300000;
inline constexpr std::size_t kAirwayFillLimit = 20000;
inline constexpr std::size_t kGeoFillLimit = 500000;
inline constexpr std::size_t kRunwayFillLimit = 20000;

struct NearbyLists {
  NearbyPointList points;
  NearbyAirwayList airways;
  NearbyGeoList geo;
  NearbyRunwayList runways;
};

}  // namespace corvane::map
