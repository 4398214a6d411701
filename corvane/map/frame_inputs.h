// Everything one map frame draws, collected by the window before the frame as plain data.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "canvas.h"
#include "layer_toggles.h"
#include "map_colours.h"
#include "nearby_lists.h"

namespace corvane::map {

struct RouteWaypoint {
  float latitude = 0;
  float longitude = 0;
  std::string ident;     // "*****" for the profile markers, which show their type text instead
  std::string typeText;  // "*TOD*" and the like
};

struct HoldMarker {
  std::int32_t holdActive = 0;  // 0: no hold
  float latitude = 0;
  float longitude = 0;
};

struct TrafficMark {
  float latitude = 0;
  float longitude = 0;
  float altitudeFt = 0;
  std::string callsign;
};

struct AirwayPoint {
  float latitude = 0;
  float longitude = 0;
};

struct OwnAircraft {
  bool connected = false;  // the simulator link is open
  bool stale = false;      // the simulator stopped answering: the last known values, drawn grey
  double latitude = 0;
  double longitude = 0;
  double altitudeFt = 0;
  float headingDegTrue = 0;
  float magneticVariationDeg = 0;  // east positive
  std::int32_t groundSpeedKt = 0;
  std::uint32_t windDirectionDegTrue = 0;
  std::int32_t windDirectionDegMagnetic = 0;
  std::uint32_t windSpeedKt = 0;
  std::int32_t apHeadingDeg = 0;  // magnetic
  std::int32_t apAltitudeFt = 0;
  float apVerticalSpeedFpm = 0;
};

inline constexpr std::int32_t kNoActiveLeg = 10000;

struct AutopilotStatus {
  std::int32_t mode = 0;  // 0 off .. 6 hold
  std::int32_t holdActive = 0;
  std::uint32_t holdTicks = 0;
  std::uint32_t timer4IntervalMs = 500;
  std::uint32_t holdLegMinutes = 1;  // edHldTm
  std::int32_t activeLegIndex = kNoActiveLeg;
  std::int32_t distanceToNextNm = 0;
  std::string nextIdent;
};

struct FrameInputs {
  const NearbyLists* nearby = nullptr;
  LayerToggles toggles;
  MapColours colours;
  Font labelFont;  // the IMG1 canvas font: name, size, style
  std::span<const RouteWaypoint> route;
  HoldMarker hold;
  std::span<const TrafficMark> traffic;
  std::span<const AirwayPoint> airwayPoints;
  OwnAircraft aircraft;
  AutopilotStatus autopilot;
  std::int32_t windowWidth = 800;  // the main window's outer size, for the corner texts
  std::int32_t windowHeight = 600;
};

}  // namespace corvane::map
