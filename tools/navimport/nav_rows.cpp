// Row texts of the NAV files and of the geo file.
#include "tools/navimport/nav_rows.h"

#include <charconv>
#include <cstdio>

#include "formats/dat_columns.h"
#include "formats/field_format.h"
#include "formats/text_lines.h"

namespace corvane::navimport {

namespace {

// Latitude with its point at character 4, longitude with its point at character 5.
constexpr int kLatitudePointColumn = 4;
constexpr int kLongitudePointColumn = 5;
constexpr int kShortDecimals = 6;

char LevelLetter(AirwayLevel level) {
  switch (level) {
    case AirwayLevel::kHigh: return formats::airway_fields::kLevelHigh;
    case AirwayLevel::kLow: return formats::airway_fields::kLevelLow;
    case AirwayLevel::kBoth: break;
  }
  return formats::airway_fields::kLevelBoth;
}

void AppendDecimal(std::string& out, double value, int decimals) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  out.append(buffer, result.ptr);
}

// Right-aligned in `width` characters, `decimals` decimals, rounded.
void AppendPaddedDecimal(std::string& out, double value, int decimals, std::size_t width) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  const auto length = static_cast<std::size_t>(result.ptr - buffer);
  if (length < width) {
    out.append(width - length, ' ');
  }
  out.append(buffer, length);
}

}  // namespace

bool SplitRunwayDesignator(std::string_view designator, int& number, int& code) {
  std::size_t digits = 0;
  while (digits < designator.size() && digits < 2 && designator[digits] >= '0' && designator[digits] <= '9') {
    ++digits;
  }
  if (digits == 0) {
    return false;
  }
  number = 0;
  for (std::size_t index = 0; index < digits; ++index) {
    number = number * 10 + (designator[index] - '0');
  }
  const std::string_view letter = designator.substr(digits);
  static constexpr std::string_view kLetters = "LRCWAB";
  if (letter.empty()) {
    code = 0;
    return true;
  }
  const std::size_t found = letter.size() == 1 ? kLetters.find(letter[0]) : std::string_view::npos;
  if (found == std::string_view::npos) {
    return false;
  }
  code = static_cast<int>(found) + 1;
  return true;
}

std::string AirportRowText(const SourceAirport& airport) {
  formats::AirportRow row;
  row.ident = airport.ident;
  row.latitudeDeg = airport.latitudeDeg;
  row.longitudeDeg = airport.longitudeDeg;
  row.elevationFt = static_cast<int32_t>(airport.elevationFt);
  row.name = airport.name;
  return formats::FormatAirportRow(row);
}

formats::RunwayEndLines RunwayRowTexts(std::string_view airportIdent, const SourceRunway& runway) {
  formats::RunwayRow row;
  row.airportIdent = airportIdent;
  row.latitudeDeg = runway.centreLatitudeDeg;
  row.longitudeDeg = runway.centreLongitudeDeg;
  row.headingDegTrue = runway.headingDegTrue;
  row.lengthM = runway.lengthM;
  const bool end1Plain = SplitRunwayDesignator(runway.end1.designator, row.primaryNumber, row.primaryDesignatorCode);
  const bool end2Plain =
      SplitRunwayDesignator(runway.end2.designator, row.secondaryNumber, row.secondaryDesignatorCode);
  formats::RunwayEndLines lines = formats::FormatRunwayRows(row);
  // Other designators go into the designator field as text: a blank, then three characters.
  const auto placeText = [](std::string& line, std::string_view designator) {
    constexpr formats::Column kField = formats::runway_columns::kDesignator;
    line.replace(kField.first - 1, kField.width(), formats::FormatIdent(designator, static_cast<int>(kField.width())));
  };
  if (!end1Plain) {
    placeText(lines.primary, runway.end1.designator);
  }
  if (!end2Plain) {
    placeText(lines.opposite, runway.end2.designator);
  }
  return lines;
}

void AddRunwayEndLabel(std::string& line, std::string_view text) {
  constexpr formats::Column kField = formats::runway_columns::kExtraText;
  line.resize(kField.first - 1, ' ');
  line += text.substr(0, kField.width());
}

std::string BeaconRowText(const Navaid& navaid, std::string_view sourceName) {
  formats::BeaconRow row;
  row.ident = navaid.ident;
  row.latitudeDeg = navaid.latitudeDeg;
  row.longitudeDeg = navaid.longitudeDeg;
  row.storedFrequency = static_cast<uint32_t>(StoredFrequency(navaid));
  row.name = navaid.name;
  row.sceneryPath = sourceName;
  return formats::FormatBeaconRow(row);
}

std::string FixRowText(const Fix& fix) {
  namespace col = formats::fix_columns;
  std::string line = formats::FormatIdent(fix.ident, static_cast<int>(col::kIdent.width()));
  line += formats::FormatCoordinate(fix.latitudeDeg, kLatitudePointColumn, kShortDecimals);
  line += ' ';
  line += formats::FormatCoordinate(fix.longitudeDeg, kLongitudePointColumn, kShortDecimals);
  return line;
}

std::vector<std::string> AirwayHeaderLines(std::string_view sourceNote) {
  std::vector<std::string> lines = {
      "; NAVawy.dat: airway points, one point per line; the points of one run follow each other in route order.",
      "; " + std::string(sourceNote),
      "; Licence: GNU GPL version 2 or later, as the X-Plane navigation data it is made from.",
      "; The first 19 lines are this header. Fields, separated by commas:",
      ";   1  run number in this file",
      ";   2  airway name, a blank, the run's number among the runs of that name",
      ";   3  point number within the run",
      ";   4  point ident",
      ";   5  latitude, decimal degrees, north positive",
      ";   6  longitude, decimal degrees, east positive",
      ";   7  lowest flight level of the segment that ends at this point",
      ";   8  highest flight level of that segment",
      ";   9  level of that segment: H high, L low, B both (the line's last character)",
      "; A run's first point repeats fields 7 to 9 of the segment that leaves it.",
      "; An airway whose segments do not make one chain (a fork, a loop, a gap) is written as several",
      "; runs. Two runs of one name never stand next to each other, so no reader joins them.",
      ";",
      ";",
      ";",
  };
  return lines;
}

void AppendAirwayRunLines(const AirwayRun& run, std::size_t runNumber, std::size_t runOfName, std::string& out) {
  std::string line;
  for (std::size_t index = 0; index < run.points.size(); ++index) {
    const AirwayPoint& point = run.points[index];
    const AirwayLeg& leg = run.legs[index == 0 ? 0 : index - 1];
    line.clear();
    line += std::to_string(runNumber);
    line += ',';
    line += run.airwayName;
    line += ' ';
    line += std::to_string(runOfName);
    line += ',';
    line += std::to_string(index + 1);
    line += ',';
    line += point.ident;
    line += ',';
    AppendDecimal(line, point.latitudeDeg, kShortDecimals);
    line += ',';
    AppendDecimal(line, point.longitudeDeg, kShortDecimals);
    line += ',';
    line += std::to_string(leg.baseFl);
    line += ',';
    line += std::to_string(leg.topFl);
    line += ',';
    line += LevelLetter(leg.level);
    formats::AppendTextLine(out, line);
  }
}

std::string GeoSegmentText(const GeoSegment& segment) {
  namespace col = formats::geo_columns;
  std::string line;
  line.reserve(col::kLongitude2.last);
  AppendPaddedDecimal(line, segment.latitude1Deg, kShortDecimals, col::kLatitude1.width());
  line += ' ';
  AppendPaddedDecimal(line, segment.longitude1Deg, kShortDecimals, col::kLongitude1.width());
  line += ' ';
  AppendPaddedDecimal(line, segment.latitude2Deg, kShortDecimals, col::kLatitude2.width());
  line += ' ';
  AppendPaddedDecimal(line, segment.longitude2Deg, kShortDecimals, col::kLongitude2.width());
  return line;
}

std::string GeoLayerLine(int layer) {
  return std::string(formats::geo_columns::kLayerPrefix) + static_cast<char>('0' + layer);
}

}  // namespace corvane::navimport
