// The compiler's row writers. Each row is put together field by field at the columns of
// dat_columns.h, so a layout is stated in one place.
#include "formats/dat_rows.h"

#include <cmath>

#include "formats/dat_columns.h"
#include "formats/field_format.h"
#include "formats/fixed_row.h"

namespace corvane::formats {

namespace {

// Free text as written inside a row: control characters would break the line, so they are left out.
std::string LineSafeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 32 && c != 127) {
      out += c;
    }
  }
  return out;
}

std::string ElevationText(const AirportRow& row) {
  return row.elevationFt ? FormatElevationFeet(*row.elevationFt) : FormatElevation(row.elevationMm);
}

}  // namespace

std::string AirportNameText(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (char c : name) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= 32 && code <= 122) {
      out += c;
    }
  }
  return out;
}

double OppositeHeadingDeg(double headingDegTrue) {
  double opposite = std::fmod(headingDegTrue + 180.0, 360.0);
  if (opposite < 0.0) {
    opposite += 360.0;
  }
  return opposite;
}

std::string FormatAirportRow(const AirportRow& row) {
  namespace col = airport_columns;
  return FixedRow()
      .Put(col::kIdentWritten, FormatIdent(row.ident, 5))
      .Put(Column{col::kLatitude.first, col::kLongitude.last}, FormatShortCoordPair(row.latitudeDeg, row.longitudeDeg))
      .Put(col::kElevationWritten, ElevationText(row))
      .Put(col::kName, AirportNameText(row.name))
      .Take();
}

std::string FormatRunwayEndRow(const RunwayEndRow& row) {
  namespace col = runway_columns;
  return FixedRow()
      .Put(col::kAirportIdent, FormatIdent(row.airportIdent, 4))
      .Put(col::kDesignatorWritten, FormatRunwayDesignator(row.number, row.designatorCode))
      .Put(Column{col::kLatitude.first, col::kLongitude.last}, FormatShortCoordPair(row.latitudeDeg, row.longitudeDeg))
      .Put(col::kHeading, FormatHeading(row.headingDegTrue))
      .Put(col::kHalfLength, FormatHalfLength(row.lengthM))
      .Take();
}

RunwayEndLines FormatRunwayRows(const RunwayRow& row) {
  RunwayEndRow end{.airportIdent = row.airportIdent,
                   .number = row.primaryNumber,
                   .designatorCode = row.primaryDesignatorCode,
                   .latitudeDeg = row.latitudeDeg,
                   .longitudeDeg = row.longitudeDeg,
                   .headingDegTrue = row.headingDegTrue,
                   .lengthM = row.lengthM};
  RunwayEndLines lines;
  lines.primary = FormatRunwayEndRow(end);
  end.number = row.secondaryNumber;
  end.designatorCode = row.secondaryDesignatorCode;
  end.headingDegTrue = OppositeHeadingDeg(row.headingDegTrue);
  lines.opposite = FormatRunwayEndRow(end);
  return lines;
}

std::string FormatHeliportRow(const HeliportRow& row) {
  namespace col = heliport_columns;
  return FixedRow()
      .Put(col::kIdentWritten, FormatIdent(row.airportIdent, 6))
      .Put(Column{col::kLatitudeWritten.first, col::kLongitude.last},
           FormatLongCoordPair(row.latitudeDeg, row.longitudeDeg))
      .Put(col::kHeading, FormatHeading(row.headingDegTrue))
      .Put(col::kHalfLength, FormatHalfLength(row.lengthM))
      .Put(col::kHalfWidth, FormatHalfLength(row.widthM))
      .Take();
}

std::string FormatBeaconRow(const BeaconRow& row) {
  namespace col = beacon_columns;
  return FixedRow()
      .Put(col::kIdentWritten, FormatIdent(row.ident, 5))
      .Put(Column{col::kLatitude.first, col::kLongitude.last}, FormatShortCoordPair(row.latitudeDeg, row.longitudeDeg))
      .Put(col::kFrequency, FormatFrequency(row.storedFrequency))
      .Put(col::kNameWritten, LineSafeText(row.name))
      .Append(std::string_view(&col::kPathSeparator, 1))
      .Append(LineSafeText(row.sceneryPath))
      .Take();
}

std::string FormatIlsRow(const IlsRow& row) {
  namespace col = ils_columns;
  std::string name = LineSafeText(row.name);
  name.resize(kIlsNameWidth, ' ');
  return FixedRow()
      .Put(col::kIdentWritten, FormatIdent(row.ident, 5))
      .Put(Column{col::kLatitude.first, col::kLongitude.last}, FormatShortCoordPair(row.latitudeDeg, row.longitudeDeg))
      .Put(col::kFrequency, FormatFrequency(row.frequencyHz))
      .Put(col::kMagneticCourse, FormatMagneticCourse(row.localizerHeadingDegTrue, row.variationDeg))
      .Put(col::kVariation, FormatVariation(row.variationDeg))
      .Put(col::kNameWritten, name)
      .Put(col::kPathSeparator, col::kPathSeparatorText)
      .Put(col::kPath, LineSafeText(row.sceneryPath))
      .Take();
}

std::string LayoutSeparatorRow() { return std::string(layout_columns::kSeparatorRow); }

std::string FormatLayoutHeaderRow(const AirportRow& row) {
  namespace col = layout_columns;
  return FixedRow(col::kHeaderCode)
      .Put(col::kHeaderElevation, ElevationText(row))
      .Append(col::kHeaderMiddle)
      .Put(col::kHeaderIdentWritten, FormatIdent(row.ident, 5))
      .Put(col::kHeaderName, AirportNameText(row.name))
      .Take();
}

std::string FormatRunwayLabelRow(const RunwayRow& row) {
  namespace col = layout_columns;
  return FixedRow(col::kRunwayLabelCode)
      .Put(col::kRunwayLabelDesignatorWritten, FormatRunwayDesignator(row.secondaryNumber, row.secondaryDesignatorCode))
      .Put(Column{col::kRunwayLabelLatitude.first, col::kRunwayLabelLongitude.last},
           FormatShortCoordPair(row.latitudeDeg, row.longitudeDeg))
      .Put(col::kRunwayLabelHeading, FormatHeading(row.headingDegTrue))
      .Put(col::kRunwayLabelHalfLength, FormatHalfLength(row.lengthM))
      .Take();
}

std::string FormatHelipadRow(const HeliportRow& row) {
  namespace col = layout_columns;
  return FixedRow(col::kHelipadCode)
      .Put(Column{col::kHelipadLatitude.first, col::kHelipadLongitudeWritten.last},
           FormatLongCoordPair(row.latitudeDeg, row.longitudeDeg))
      .Put(col::kHelipadHeading, FormatHeading(row.headingDegTrue))
      .Put(col::kHelipadHalfLength, FormatHalfLength(row.lengthM))
      .Put(col::kHelipadHalfWidth, FormatHalfLength(row.widthM))
      .Take();
}

std::string LayoutTaxiSegmentStartRow() { return std::string(layout_columns::kTaxiSegmentStartRow); }

std::string FormatTaxiNodeRow(double latitudeDeg, double longitudeDeg) {
  namespace col = layout_columns;
  return FixedRow(col::kTaxiNodeCode)
      .Put(Column{col::kTaxiNodeLatitude.first, col::kTaxiNodeLongitude.last},
           FormatLongCoordPair(latitudeDeg, longitudeDeg))
      .Take();
}

}  // namespace corvane::formats
