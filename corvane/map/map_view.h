// MapView: where the map looks and how it is presented, and the one projection between positions and pixels.
#pragma once

#include <cstdint>
#include <optional>

#include "geo_pos.h"

namespace corvane::map {

enum class MapMode : std::int32_t { kArc = 0, kRose = 1, kMap = 2 };

inline constexpr std::int32_t kMinRangeNm = 2;
inline constexpr std::int32_t kMaxRangeNm = 1280;
inline constexpr std::int32_t kStartRangeNm = 160;

struct MapView {
  GeoPos centre{52.0, 5.0};
  bool followAircraft = false;
  MapMode mode = MapMode::kMap;
  std::int32_t rangeNm = kStartRangeNm;  // the distance shown by radiusPx
  // Derived at the start of every map tick from the paint box and the aircraft.
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t originY = 0;   // screen row of the centre (the aircraft in arc and rose modes)
  std::int32_t radiusPx = 0;  // compass radius, and the length of rangeNm on screen
  float rotationDeg = 0;      // subtracted from every bearing: true heading, or 0 north-up
  std::int32_t wheelCounter = 0;
};

// Truncation toward zero into an int, safe for values far outside the screen and for NaN.
std::int32_t TruncToInt(double value);

// Start of a map tick: paint box size, then origin, radius and rotation for the mode.
void UpdateGeometry(MapView& view, std::int32_t widthPx, std::int32_t heightPx, float trueHeadingDeg);

// Start of a map tick: a followed aircraft moves the centre (latitude exactly 0 means no position yet).
void FollowAircraft(MapView& view, double aircraftLatitude, double aircraftLongitude);

struct ScreenPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  float distNm = 0;
};

// Forward projection: distance and whole-degree bearing from the centre, rotated, scaled to the radius.
ScreenPoint ProjectToScreen(const MapView& view, double latitude, double longitude);
inline ScreenPoint ProjectToScreen(const MapView& view, GeoPos position) {
  return ProjectToScreen(view, position.latitude, position.longitude);
}

// Steps 1 to 4 of the projection between two positions: the distance and the whole-degree bearing
// of `to` seen from `from` (the airport layout's runway headings and lengths come from it).
struct PolarOffset {
  float distNm = 0;
  std::int32_t bearingDeg = 0;
};
PolarOffset PolarOffsetBetween(GeoPos from, GeoPos to);

// The same projection for painters that project many points: the centre's cosine and the whole-degree
// sines and cosines are worked out once.
class Projector {
 public:
  explicit Projector(const MapView& view);
  ScreenPoint operator()(double latitude, double longitude) const;

 private:
  const MapView& view_;
  double cosCentre_;
};

// The layers' visibility tests.
inline bool InRange(const MapView& view, float distNm) { return distNm < static_cast<float>(view.rangeNm) * 1.5f; }
inline bool OnScreen(const MapView& view, const ScreenPoint& point) {
  return point.x > 0 && point.x < view.width && point.y > 0 && point.y < view.height;
}

// Inverse projection of a paint-box pixel; empty where it is undefined (no radius, centre or
// provisional point at a pole).
std::optional<GeoPos> ScreenToGeo(const MapView& view, std::int32_t x, std::int32_t y);

// The bbMAP step: arc, rose, map, arc; the heading-up modes follow the aircraft, north-up lets go.
void SetMode(MapView& view);

// Left click in north-up mode: the clicked point becomes the centre, clamped to the globe.
void RecentreAt(MapView& view, std::int32_t x, std::int32_t y);

}  // namespace corvane::map
