// The navigation tables: rows ended by a terminator row at 0/0, of a capacity that a larger file raises.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace corvane::navdata {

enum class BeaconKind : std::int32_t { kNone = 0, kNdb = 2, kVor = 3, kIls = 4 };
enum class AirwayLevel : std::int32_t { kNone = 0, kHigh = 1, kBoth = 2, kLow = 3 };

// Which family of data files is read: the compiler's fsx files or the X-Plane-derived NAV files.
enum class DatabaseSource { kFs, kXPlane };

struct AirportRow {
  float latitude = 0;
  float longitude = 0;
  std::string ident;          // "EDDF " from the airport file, "EDDF" from the user file
  std::string elevationText;  // feet, as written in the file
  std::string name;
};

struct RunwayEndRow {
  float latitude = 0;
  float longitude = 0;
  float headingDegTrue = 0;
  float halfLengthM = 0;
  std::string designator;  // 3 characters, such as "09L"
  std::string extraText;   // up to 10 characters, often empty
};

struct HeliportRow {
  float latitude = 0;
  float longitude = 0;
};

struct BeaconRow {
  BeaconKind kind = BeaconKind::kNone;
  float latitude = 0;
  float longitude = 0;
  std::string ident;          // trimmed
  std::string frequencyText;  // "113.90"; for an ILS frequency, course and variation in 14 characters
  std::string name;
};

struct FixRow {
  float latitude = 0;
  float longitude = 0;
  std::string ident;  // 5 characters and one blank
};

struct AirwaySegmentRow {
  float fromLatitude = 0;
  float fromLongitude = 0;
  float toLatitude = 0;
  float toLongitude = 0;
  std::string airwayName;  // each of the three names ends with one blank
  std::string fromIdent;
  std::string toIdent;
  AirwayLevel level = AirwayLevel::kNone;
};

struct GeoSegmentRow {
  float latitude1 = 0;
  float longitude1 = 0;
  float latitude2 = 0;
  float longitude2 = 0;
  std::int32_t layer = 0;
};

// A row at exactly 0/0 ends its table; airways end on the from-point, geo lines on point 1.
inline bool IsEndRow(const AirportRow& row) { return row.latitude == 0 && row.longitude == 0; }
inline bool IsEndRow(const RunwayEndRow& row) { return row.latitude == 0 && row.longitude == 0; }
inline bool IsEndRow(const HeliportRow& row) { return row.latitude == 0 && row.longitude == 0; }
inline bool IsEndRow(const BeaconRow& row) { return row.latitude == 0 && row.longitude == 0; }
inline bool IsEndRow(const FixRow& row) { return row.latitude == 0 && row.longitude == 0; }
inline bool IsEndRow(const AirwaySegmentRow& row) { return row.fromLatitude == 0 && row.fromLongitude == 0; }
inline bool IsEndRow(const GeoSegmentRow& row) { return row.latitude1 == 0 && row.longitude1 == 0; }

// Rows indexed from 0 up to the terminator row. The capacity starts at Capacity and grows when a file
// brings more rows than it holds (never below Capacity, a terminator always after the last row), so
// that no row of a file is left out; the storage grows only as far as the rows need.
template <typename Row, std::size_t Capacity>
class FixedTable {
 public:
  using RowType = Row;
  static constexpr std::size_t kCapacity = Capacity;
  static constexpr std::size_t kMaxRows = Capacity - 1;

  FixedTable() { rows_.emplace_back(); }

  const Row& operator[](std::size_t index) const { return rows_[index]; }

  // Index of the first end row (the number of rows readers see).
  std::size_t EndIndex() const {
    std::size_t index = 0;
    while (!IsEndRow(rows_[index])) ++index;
    return index;
  }

  // Rows the table holds now, the terminator not counted.
  std::size_t MaxRows() const { return capacity_ - 1; }

  // Writing, for the loaders: Open drops the terminator (and anything after it) and makes room for
  // the rows expected after the current ones, the rows are appended, Close writes the terminator again.
  void Clear() {
    rows_.assign(1, Row{});
    capacity_ = Capacity;
  }
  void OpenForAppend(std::size_t expectedRows) {
    rows_.resize(EndIndex());
    capacity_ = std::max(capacity_, rows_.size() + expectedRows + 1);
    rows_.reserve(std::min(MaxRows(), rows_.size() + expectedRows) + 1);
  }
  bool IsFull() const { return rows_.size() >= MaxRows(); }
  void Append(Row&& row) { rows_.push_back(std::move(row)); }
  void Close() { rows_.emplace_back(); }

 private:
  std::vector<Row> rows_;
  std::size_t capacity_ = Capacity;
};

using AirportTable = FixedTable<AirportRow, 25000>;
using RunwayEndTable = FixedTable<RunwayEndRow, 80000>;
using HeliportTable = FixedTable<HeliportRow, 2000>;
using BeaconTable = FixedTable<BeaconRow, 400000>;
using FixTable = FixedTable<FixRow, 250000>;
using AirwaySegmentTable = FixedTable<AirwaySegmentRow, 100000>;
using GeoSegmentTable = FixedTable<GeoSegmentRow, 700000>;

struct NavDatabase {
  AirportTable airports;
  RunwayEndTable runwayEnds;
  HeliportTable heliports;
  BeaconTable beacons;
  FixTable fixes;
  AirwaySegmentTable airwaySegments;
  GeoSegmentTable geoSegments;
};

}  // namespace corvane::navdata
