// Localizer rows: type lat lon elevation frequency range bearing ident airport runway name.
#include "tools/navimport/localizer_source.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

#include "tools/navimport/navaid_source.h"
#include "tools/navimport/source_fields.h"

namespace corvane::navimport {

namespace {

constexpr long kIlsRow = 4;
constexpr long kLocalizerRow = 5;
constexpr long kVorRow = 3;

struct VorVariation {
  double latitudeDeg;
  double longitudeDeg;
  double variationDeg;
};

struct Localizer {
  double latitudeDeg;
  double longitudeDeg;
  long frequency;
  double courseDegTrue;
  std::optional<long> magneticCourse;  // 1150 on: given by the file
  bool ils;
};

// 1150 on: the bearing field is magnetic course (whole degrees) x 360 + true bearing; a value below
// 360 is a magnetic course of 000.
constexpr long kFirstMagneticVersion = 1150;

// Squared flat distance in degrees of latitude, across the date line the short way; the longitude
// scaled at the localizer's latitude, which is close enough to pick the nearest VOR.
double FlatDistanceSquared(double lat1, double lon1, double cosLat1, double lat2, double lon2) {
  double dLon = std::fabs(lon1 - lon2);
  if (dLon > 180.0) dLon = 360.0 - dLon;
  const double dLat = lat1 - lat2;
  return dLat * dLat + dLon * cosLat1 * dLon * cosLat1;
}

const VorVariation* NearestVor(const std::vector<VorVariation>& vors, double latitudeDeg, double longitudeDeg) {
  const double cosLatitude = std::cos(latitudeDeg * std::numbers::pi / 180.0);
  const VorVariation* nearest = nullptr;
  double best = std::numeric_limits<double>::infinity();
  for (const VorVariation& vor : vors) {
    const double distance =
        FlatDistanceSquared(latitudeDeg, longitudeDeg, cosLatitude, vor.latitudeDeg, vor.longitudeDeg);
    if (distance < best) {
      best = distance;
      nearest = &vor;
    }
  }
  return nearest;
}

}  // namespace

std::string LocalizerLabelText(long frequency10kHz, double courseDegTrue, double declinationDeg) {
  long course = std::lround(courseDegTrue - declinationDeg) % 360;
  if (course < 0) course += 360;
  char text[32];
  std::snprintf(text, sizeof text, "%3ld.%02ld %03ld", frequency10kHz / 100, frequency10kHz % 100, course);
  return text;
}

std::string RunwayEndKey(std::string_view airportIdent, std::string_view designator) {
  std::string key(airportIdent);
  key += ' ';
  key += designator;
  return key;
}

LocalizerLabels ReadLocalizerLabels(const SourceFile& file, ImportReport& report) {
  const long version = FormatVersion(file);
  const bool withRegion = version >= kFirstRegionNavVersion;
  const bool magnetic = version >= kFirstMagneticVersion;
  const std::size_t runwayField = withRegion ? 10 : 9;
  std::vector<VorVariation> vors;
  std::map<std::string, Localizer, std::less<>> localizers;
  ForEachDataLine(file, [&](std::size_t lineNumber, std::string_view line) {
    const LineFields fields(line);
    const auto type = ParseWhole(fields[0]);
    if (!type || (*type != kIlsRow && *type != kLocalizerRow && *type != kVorRow)) return;
    const auto latitude = ParseDecimal(fields[1]);
    const auto longitude = ParseDecimal(fields[2]);
    const auto frequency = ParseWhole(fields[4]);
    const auto bearing = ParseDecimal(fields[6]);
    if (!latitude || !longitude || !frequency || !bearing) return;  // the navaid reader reports VORs
    if (*type == kVorRow) {
      vors.push_back({*latitude, *longitude, *bearing});
      return;
    }
    if (fields.size() < runwayField + 1) {
      report.Drop(file.name(), lineNumber, "localizer row without airport and runway", line);
      return;
    }
    const std::string key = RunwayEndKey(fields[8], fields[runwayField]);
    // Six characters say 100.00 to 999.99 MHz; the course must be a bearing.
    const bool bearingOk = magnetic ? *bearing < 361.0 * 360.0 : *bearing <= 360.0;
    if (*frequency < 10000 || *frequency > 99999 || *bearing < 0.0 || !bearingOk) {
      report.Drop(file.name(), lineNumber, "localizer frequency or bearing out of range", key);
      return;
    }
    Localizer localizer{*latitude, *longitude, *frequency, *bearing, std::nullopt, *type == kIlsRow};
    if (magnetic) {
      const long course = static_cast<long>(std::floor(*bearing / 360.0));
      localizer.magneticCourse = course % 360;
      localizer.courseDegTrue = *bearing - 360.0 * static_cast<double>(course);
    }
    const auto [found, added] = localizers.try_emplace(key, localizer);
    if (!added && localizer.ils && !found->second.ils) found->second = localizer;
  });

  LocalizerLabels labels;
  for (const auto& [key, localizer] : localizers) {
    if (localizer.magneticCourse) {
      labels.byRunwayEnd.emplace(
          key, LocalizerLabelText(localizer.frequency, static_cast<double>(*localizer.magneticCourse), 0.0));
      continue;
    }
    const VorVariation* vor = NearestVor(vors, localizer.latitudeDeg, localizer.longitudeDeg);
    if (vor == nullptr) ++labels.trueCourses;
    labels.byRunwayEnd.emplace(
        key, LocalizerLabelText(localizer.frequency, localizer.courseDegTrue, vor ? vor->variationDeg : 0.0));
  }
  return labels;
}

}  // namespace corvane::navimport
