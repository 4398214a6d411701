// Parsing apt.dat: airport headers, land runways and the layout rows, one airport after another.
#include "tools/navimport/airport_source.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "tools/navimport/source_fields.h"

namespace corvane::navimport {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEarthRadiusM = 6371008.8;

double Radians(double degrees) { return degrees * kPi / 180.0; }

// The row code: the first blank-separated field of the line.
std::string_view RowCode(std::string_view line) {
  const std::size_t end = line.find_first_of(" \t");
  return line.substr(0, end);
}

bool InRange(double latitude, double longitude) {
  return latitude >= -90.0 && latitude <= 90.0 && longitude >= -180.0 && longitude <= 180.0;
}

// Row 100: width surface shoulder smoothness lights lights signs, then per end: designator lat lon
// displaced overrun markings approach-lights touchdown-lights REIL.
std::optional<SourceRunway> ParseRunway(const LineFields& fields, std::string& error) {
  // The lighting fields after the second end's position are not needed here.
  if (fields.size() < 20) {
    error = "land runway row has too few fields";
    return std::nullopt;
  }
  const auto latitude1 = ParseDecimal(fields[9]);
  const auto longitude1 = ParseDecimal(fields[10]);
  const auto latitude2 = ParseDecimal(fields[18]);
  const auto longitude2 = ParseDecimal(fields[19]);
  if (!latitude1 || !longitude1 || !latitude2 || !longitude2) {
    error = "land runway end position is not a number";
    return std::nullopt;
  }
  if (!InRange(*latitude1, *longitude1) || !InRange(*latitude2, *longitude2)) {
    error = "land runway end position out of range";
    return std::nullopt;
  }
  SourceRunway runway;
  runway.end1 = RunwayEnd{std::string(fields[8]), *latitude1, *longitude1};
  runway.end2 = RunwayEnd{std::string(fields[17]), *latitude2, *longitude2};
  runway.lengthM = DistanceM(*latitude1, *longitude1, *latitude2, *longitude2);
  runway.headingDegTrue = InitialBearingDeg(*latitude1, *longitude1, *latitude2, *longitude2);
  runway.centreLatitudeDeg = (*latitude1 + *latitude2) * 0.5;
  double dLon = *longitude2 - *longitude1;
  if (dLon > 180.0) {
    dLon -= 360.0;
  } else if (dLon < -180.0) {
    dLon += 360.0;
  }
  runway.centreLongitudeDeg = *longitude1 + dLon * 0.5;
  if (runway.centreLongitudeDeg > 180.0) {
    runway.centreLongitudeDeg -= 360.0;
  } else if (runway.centreLongitudeDeg < -180.0) {
    runway.centreLongitudeDeg += 360.0;
  }
  if (runway.centreLatitudeDeg == 0.0 && runway.centreLongitudeDeg == 0.0) {
    error = "land runway centre at 0/0 (marks the end of the runway table)";
    return std::nullopt;
  }
  return runway;
}

// Places the airport at the centre of the box around its runway ends.
void PlaceAirport(SourceAirport& airport) {
  double south = 90.0, north = -90.0, west = 180.0, east = -180.0;
  for (const SourceRunway& runway : airport.runways) {
    for (const RunwayEnd* end : {&runway.end1, &runway.end2}) {
      south = std::min(south, end->latitudeDeg);
      north = std::max(north, end->latitudeDeg);
      west = std::min(west, end->longitudeDeg);
      east = std::max(east, end->longitudeDeg);
    }
    airport.longestRunwayM = std::max(airport.longestRunwayM, runway.lengthM);
  }
  airport.latitudeDeg = (south + north) * 0.5;
  // An airport whose runways straddle the 180° meridian keeps the longitude of its first runway.
  airport.longitudeDeg = east - west > 180.0 ? airport.runways.front().centreLongitudeDeg : (west + east) * 0.5;
}

}  // namespace

std::vector<SourceAirport> ReadAirports(const SourceFile& file, const std::function<bool(std::string_view)>& wantLayout,
                                        ImportReport& report) {
  std::vector<SourceAirport> airports;
  airports.reserve(32768);
  std::optional<SourceAirport> current;
  bool inLandAirport = false;
  bool gatherLayout = false;
  std::size_t seaplaneBases = 0;
  std::size_t heliports = 0;
  std::size_t waterRunways = 0;
  std::size_t headerLine = 0;
  std::optional<double> datumLatitude;
  std::optional<double> datumLongitude;

  auto finish = [&]() {
    if (!current) {
      return;
    }
    if (current->runways.empty()) {
      report.Drop(file.name(), current->lineNumber, "land airport without a usable land runway", current->ident);
    } else {
      PlaceAirport(*current);
      if (datumLatitude && datumLongitude && InRange(*datumLatitude, *datumLongitude) &&
          !(*datumLatitude == 0.0 && *datumLongitude == 0.0)) {
        current->latitudeDeg = *datumLatitude;
        current->longitudeDeg = *datumLongitude;
      }
      if (current->latitudeDeg == 0.0 && current->longitudeDeg == 0.0) {
        report.Drop(file.name(), current->lineNumber, "airport at 0/0 (marks the end of the airport table)",
                    current->ident);
      } else {
        airports.push_back(std::move(*current));
      }
    }
    current.reset();
  };

  ForEachDataLine(file, [&](std::size_t lineNumber, std::string_view line) {
    const std::string_view code = RowCode(line);
    if (code == "1" || code == "16" || code == "17") {
      finish();
      inLandAirport = false;
      if (code == "16") {
        ++seaplaneBases;
        return;
      }
      if (code == "17") {
        ++heliports;
        return;
      }
      const LineFields fields(line);
      const auto elevation = ParseWhole(fields[1]);
      if (fields.size() < 5 || !elevation) {
        report.Drop(file.name(), lineNumber, "malformed airport header", line);
        return;
      }
      inLandAirport = true;
      current.emplace();
      current->ident = std::string(fields[4]);
      current->name = std::string(fields.Rest(5));
      current->elevationFt = *elevation;
      current->lineNumber = lineNumber;
      headerLine = lineNumber;
      datumLatitude.reset();
      datumLongitude.reset();
      gatherLayout = wantLayout && wantLayout(current->ident);
      return;
    }
    if (!inLandAirport || !current) {
      return;
    }
    if (code == "100") {
      std::string error;
      const auto runway = ParseRunway(LineFields(line), error);
      if (!runway) {
        report.Drop(file.name(), lineNumber, error, current->ident);
        return;
      }
      current->runways.push_back(*runway);
    } else if (code == "101") {
      ++waterRunways;
    } else if (code == "1302") {
      // key value; the value may be empty or hold blanks.
      const LineFields fields(line);
      const std::string_view key = fields[1];
      const std::string_view value = fields.Rest(2);
      if (key == "icao_code" && !value.empty() && value.find_first_of(" \t") == std::string_view::npos) {
        current->ident = std::string(value);
        if (!gatherLayout && wantLayout && wantLayout(current->ident)) {
          // Wanted under its ICAO code: the rows since the header are gathered now.
          gatherLayout = true;
          for (std::size_t index = headerLine; index + 1 < lineNumber; ++index) {
            const std::string_view earlier = file.lines()[index];
            if (!TrimBlanks(earlier).empty()) current->layoutRows.push_back(earlier);
          }
        }
      } else if (key == "datum_lat") {
        datumLatitude = ParseDecimal(value);
      } else if (key == "datum_lon") {
        datumLongitude = ParseDecimal(value);
      }
    }
    if (gatherLayout) {
      current->layoutRows.push_back(line);
    }
  });
  finish();
  report.Note(file.name() + ": skipped " + std::to_string(seaplaneBases) + " seaplane bases, " +
              std::to_string(heliports) + " heliports and " + std::to_string(waterRunways) +
              " water runways at land airports (not land)");
  return airports;
}

double DistanceM(double latitude1Deg, double longitude1Deg, double latitude2Deg, double longitude2Deg) {
  const double lat1 = Radians(latitude1Deg);
  const double lat2 = Radians(latitude2Deg);
  const double dLat = lat2 - lat1;
  const double dLon = Radians(longitude2Deg - longitude1Deg);
  const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(lat1) * std::cos(lat2) * std::sin(dLon / 2) * std::sin(dLon / 2);
  return 2.0 * kEarthRadiusM * std::asin(std::min(1.0, std::sqrt(a)));
}

double InitialBearingDeg(double latitude1Deg, double longitude1Deg, double latitude2Deg, double longitude2Deg) {
  const double lat1 = Radians(latitude1Deg);
  const double lat2 = Radians(latitude2Deg);
  const double dLon = Radians(longitude2Deg - longitude1Deg);
  const double y = std::sin(dLon) * std::cos(lat2);
  const double x = std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dLon);
  double bearing = std::atan2(y, x) * 180.0 / kPi;
  if (bearing < 0.0) {
    bearing += 360.0;
  }
  return bearing >= 360.0 ? bearing - 360.0 : bearing;
}

}  // namespace corvane::navimport
