// Row writers for every DAT file the scenery compiler writes: each returns the text of one line,
// without its line end (WriteTextLine adds CR LF).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::formats {

// The texts are views: a row must not outlive the strings it points into.
struct AirportRow {
  std::string_view ident{};
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
  int32_t elevationMm = 0;
  // When set, written as given instead of converting elevationMm.
  std::optional<int32_t> elevationFt{};
  std::string_view name{};
};

struct RunwayRow {
  std::string_view airportIdent{};
  int primaryNumber = 0;
  int primaryDesignatorCode = 0;
  int secondaryNumber = 0;
  int secondaryDesignatorCode = 0;
  double latitudeDeg = 0.0;  // runway centre
  double longitudeDeg = 0.0;
  double headingDegTrue = 0.0;  // of the primary end
  double lengthM = 0.0;
};

// One runway end on its own, for writers that have each end's heading already.
struct RunwayEndRow {
  std::string_view airportIdent{};
  int number = 0;
  int designatorCode = 0;
  double latitudeDeg = 0.0;  // runway centre
  double longitudeDeg = 0.0;
  double headingDegTrue = 0.0;  // of this end
  double lengthM = 0.0;
};

struct HeliportRow {
  std::string_view airportIdent{};
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
  double headingDegTrue = 0.0;
  double lengthM = 0.0;
  double widthM = 0.0;
};

// A VOR (frequency in Hz) or an NDB (frequency in 10 Hz units).
struct BeaconRow {
  std::string_view ident{};
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
  uint32_t storedFrequency = 0;
  std::string_view name{};
  std::string_view sceneryPath{};
};

struct IlsRow {
  std::string_view ident{};
  double latitudeDeg = 0.0;  // localizer position
  double longitudeDeg = 0.0;
  uint32_t frequencyHz = 0;
  double localizerHeadingDegTrue = 0.0;
  double variationDeg = 0.0;
  std::string_view name{};
  std::string_view sceneryPath{};
};

struct RunwayEndLines {
  std::string primary;
  std::string opposite;
};

// Widths of the name fields.
inline constexpr std::size_t kIlsNameWidth = 32;

// The airport name as written: only the characters with codes 32 to 122, in order.
std::string AirportNameText(std::string_view name);

// The heading of the opposite runway end: heading + 180, reduced into [0, 360).
double OppositeHeadingDeg(double headingDegTrue);

std::string FormatAirportRow(const AirportRow& row);
// The primary end with the runway heading, then the opposite end with the heading + 180.
RunwayEndLines FormatRunwayRows(const RunwayRow& row);
std::string FormatRunwayEndRow(const RunwayEndRow& row);
std::string FormatHeliportRow(const HeliportRow& row);
// VOR and NDB rows share the layout.
std::string FormatBeaconRow(const BeaconRow& row);
std::string FormatIlsRow(const IlsRow& row);

// Airport layout file rows.
std::string LayoutSeparatorRow();
std::string FormatLayoutHeaderRow(const AirportRow& row);
// Designator of the opposite end, the runway centre, the runway's own heading, half-length.
std::string FormatRunwayLabelRow(const RunwayRow& row);
std::string FormatHelipadRow(const HeliportRow& row);
std::string LayoutTaxiSegmentStartRow();
std::string FormatTaxiNodeRow(double latitudeDeg, double longitudeDeg);

}  // namespace corvane::formats
