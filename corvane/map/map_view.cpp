// The map's projection: a flat polar projection around the centre with bearings in whole degrees.
#include "map_view.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace corvane::map {

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;

double SinDeg(double degrees) { return std::sin(degrees * kRadPerDeg); }
double CosDeg(double degrees) { return std::cos(degrees * kRadPerDeg); }

// Bearing in degrees from north, clockwise, of the offset (dx east, dy north).
double ScreenBearingDeg(double dx, double dy) {
  if (dx == 0) return dy >= 0 ? 0.0 : 180.0;
  double bearing = -std::atan(dy / dx) * 180.0 / std::numbers::pi + 90.0;
  if (dx < 0) bearing += 180.0;
  return bearing;
}

}  // namespace

std::int32_t TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLimit = 1.0e9;
  return static_cast<std::int32_t>(std::clamp(value, -kLimit, kLimit));
}

void UpdateGeometry(MapView& view, std::int32_t widthPx, std::int32_t heightPx, float trueHeadingDeg) {
  view.width = widthPx;
  view.height = heightPx;
  const double height = heightPx;
  if (view.mode == MapMode::kArc) {
    view.originY = TruncToInt(height * 0.87);
    view.radiusPx = TruncToInt(height * 0.8);
  } else {
    view.originY = TruncToInt(height * 0.5);
    view.radiusPx = TruncToInt(height * 0.35);
  }
  view.rotationDeg = view.mode == MapMode::kMap ? 0.0f : trueHeadingDeg;
}

void FollowAircraft(MapView& view, double aircraftLatitude, double aircraftLongitude) {
  if (view.followAircraft && aircraftLatitude != 0) view.centre = {aircraftLatitude, aircraftLongitude};
}

namespace {

// Sine and cosine of whole degrees -360 .. 719, the range a relative bearing can take.
struct WholeDegreeTable {
  static constexpr int kFirst = -360;
  static constexpr int kLast = 719;
  double sine[kLast - kFirst + 1];
  double cosine[kLast - kFirst + 1];
  WholeDegreeTable() {
    for (int degrees = kFirst; degrees <= kLast; ++degrees) {
      sine[degrees - kFirst] = SinDeg(degrees);
      cosine[degrees - kFirst] = CosDeg(degrees);
    }
  }
};

const WholeDegreeTable& WholeDegrees() {
  static const WholeDegreeTable table;
  return table;
}

// Steps 1 to 4 of the projection, around a centre whose cosine is known.
PolarOffset OffsetFromCentre(const GeoPos& c, double cosCentre, double latitude, double longitude) {
  const float dx = static_cast<float>((longitude - c.longitude) * (CosDeg(latitude) + cosCentre) * 0.5);
  const float dy = static_cast<float>(latitude - c.latitude);
  PolarOffset offset;
  offset.distNm = static_cast<float>(std::sqrt(double(dx) * dx + double(dy) * dy) * 60.0);
  // The bearing is whole degrees, so far points move in visible angular steps.
  offset.bearingDeg = TruncToInt(ScreenBearingDeg(dx, dy));
  return offset;
}

}  // namespace

PolarOffset PolarOffsetBetween(GeoPos from, GeoPos to) {
  return OffsetFromCentre(from, CosDeg(from.latitude), to.latitude, to.longitude);
}

Projector::Projector(const MapView& view) : view_(view), cosCentre_(CosDeg(view.centre.latitude)) { WholeDegrees(); }

ScreenPoint Projector::operator()(double latitude, double longitude) const {
  const PolarOffset offset = OffsetFromCentre(view_.centre, cosCentre_, latitude, longitude);
  ScreenPoint point;
  point.distNm = offset.distNm;
  const std::int32_t bearing = offset.bearingDeg;
  std::int32_t relative = TruncToInt(bearing - static_cast<double>(view_.rotationDeg));
  if (relative < 0) relative += 360;
  double sine = 0;
  double cosine = 0;
  if (relative >= WholeDegreeTable::kFirst && relative <= WholeDegreeTable::kLast) {
    sine = WholeDegrees().sine[relative - WholeDegreeTable::kFirst];
    cosine = WholeDegrees().cosine[relative - WholeDegreeTable::kFirst];
  } else {
    sine = SinDeg(relative);
    cosine = CosDeg(relative);
  }
  const double scaled = double(point.distNm) / view_.rangeNm * view_.radiusPx;
  point.x = TruncToInt(sine * scaled + view_.width * 0.5);
  point.y = TruncToInt(view_.originY - cosine * scaled);
  return point;
}

ScreenPoint ProjectToScreen(const MapView& view, double latitude, double longitude) {
  return Projector(view)(latitude, longitude);
}

std::optional<GeoPos> ScreenToGeo(const MapView& view, std::int32_t x, std::int32_t y) {
  const GeoPos& c = view.centre;
  const double cosCentre = CosDeg(c.latitude);
  if (view.radiusPx == 0 || std::abs(cosCentre) < 1e-12) return std::nullopt;
  const float nmPerPx = static_cast<float>(view.rangeNm) / static_cast<float>(view.radiusPx);
  const float longitude1 = static_cast<float>((x - view.width * 0.5) * nmPerPx / (cosCentre * 60.0) + c.longitude);
  const float latitude1 = static_cast<float>((view.originY - y) * double(nmPerPx) / 60.0 + c.latitude);
  if (view.mode == MapMode::kMap) return GeoPos{latitude1, longitude1};

  const double cosProvisional = CosDeg(latitude1);
  if (std::abs(cosProvisional) < 1e-12) return std::nullopt;
  const double dx = (longitude1 - c.longitude) * (cosProvisional + cosCentre) * 0.5;
  const double dy = latitude1 - c.latitude;
  const double distDeg = std::sqrt(dx * dx + dy * dy);
  const float screenBearing = static_cast<float>(ScreenBearingDeg(dx, dy));
  float trueBearing = screenBearing + view.rotationDeg;
  if (trueBearing > 360) trueBearing -= 360;
  const float latitude = static_cast<float>(distDeg * CosDeg(trueBearing) + c.latitude);
  const float longitude = static_cast<float>(SinDeg(trueBearing) * distDeg / cosProvisional + c.longitude);
  return GeoPos{latitude, longitude};
}

void SetMode(MapView& view) {
  switch (view.mode) {
    case MapMode::kArc: view.mode = MapMode::kRose; break;
    case MapMode::kRose: view.mode = MapMode::kMap; break;
    case MapMode::kMap: view.mode = MapMode::kArc; break;
  }
  view.followAircraft = view.mode != MapMode::kMap;
}

void RecentreAt(MapView& view, std::int32_t x, std::int32_t y) {
  const std::optional<GeoPos> clicked = ScreenToGeo(view, x, y);
  if (!clicked) return;
  view.followAircraft = false;
  view.centre.latitude = std::clamp(clicked->latitude, -90.0, 90.0);
  view.centre.longitude = std::clamp(clicked->longitude, -180.0, 180.0);
}

}  // namespace corvane::map
