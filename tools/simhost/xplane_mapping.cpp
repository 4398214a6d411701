// The dataref table of the X-Plane bridge. Answers come as 32-bit floats whatever the dataref's type,
// which leaves a latitude or longitude some 0.5 m of resolution.
#include "tools/simhost/xplane_mapping.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace corvane::simhost {
namespace {

constexpr double kFeetPerMetre = 1 / 0.3048;
constexpr double kKnotsPerMetrePerSecond = 1 / 0.514444;

// The user aircraft's datarefs, in subscription order.
enum AircraftValue : std::size_t {
  kLatitude,
  kLongitude,
  kElevation,
  kTrueHeading,
  kMagneticHeading,
  kGroundSpeed,
  kIndicatedAirspeed,
  kTrueAirspeed,
  kVerticalSpeed,
  kWindFrom,
  kWindSpeed,
  kApHeading,
  kApAltitude,
  kApVerticalSpeed,
  kApAirspeed,
  kApState,
  kApMode,
  kTrafficCount,
  kAircraftValues
};
constexpr const char* kAircraftNames[kAircraftValues] = {
    "sim/flightmodel/position/latitude",
    "sim/flightmodel/position/longitude",
    "sim/flightmodel/position/elevation",  // metres
    "sim/flightmodel/position/psi",
    "sim/flightmodel/position/mag_psi",
    "sim/flightmodel/position/groundspeed",  // metres per second
    "sim/flightmodel/position/indicated_airspeed",
    "sim/flightmodel/position/true_airspeed",  // metres per second
    "sim/flightmodel/position/vh_ind_fpm",
    "sim/weather/wind_direction_degt",
    "sim/weather/wind_speed_kt",
    "sim/cockpit/autopilot/heading_mag",
    "sim/cockpit/autopilot/altitude",
    "sim/cockpit/autopilot/vertical_velocity",
    "sim/cockpit/autopilot/airspeed",
    "sim/cockpit/autopilot/autopilot_state",
    "sim/cockpit/autopilot/autopilot_mode",
    "sim/cockpit2/tcas/indicators/tcas_num_acf",  // X-Plane 11.50 on; includes the user's aircraft
};
// Each traffic target's datarefs, array elements from 1 on.
constexpr const char* kTrafficArrays[] = {
    "sim/cockpit2/tcas/targets/position/lat", "sim/cockpit2/tcas/targets/position/lon",
    "sim/cockpit2/tcas/targets/position/ele",  // metres
    "sim/cockpit2/tcas/targets/position/psi", "sim/cockpit2/tcas/targets/modeS_id"};
constexpr std::size_t kTrafficFields = std::size(kTrafficArrays);

constexpr const char* kApStateName = "sim/cockpit/autopilot/autopilot_state";

double SignedAngle(double degrees) {
  degrees = std::fmod(degrees, 360.0);
  if (degrees > 180) degrees -= 360;
  if (degrees < -180) degrees += 360;
  return degrees;
}

}  // namespace

XPlaneMapping::XPlaneMapping() : offsets_(true) {
  names_.assign(std::begin(kAircraftNames), std::end(kAircraftNames));
  for (int target = 1; target <= kTrafficTargets; ++target) {
    for (const char* field : kTrafficArrays) names_.push_back(std::string(field) + "[" + std::to_string(target) + "]");
  }
  values_.assign(names_.size(), 0.0f);
  heard_.assign(names_.size(), false);
}

void XPlaneMapping::Absorb(std::span<const xplane::RrefValue> values) {
  for (const xplane::RrefValue& v : values) {
    if (v.index < 0 || static_cast<std::size_t>(v.index) >= values_.size() || !std::isfinite(v.value)) continue;
    values_[static_cast<std::size_t>(v.index)] = v.value;
    heard_[static_cast<std::size_t>(v.index)] = true;
  }
  if (!complete()) return;
  const std::vector<float>& a = values_;
  aircraft_.latitude = a[kLatitude];
  aircraft_.longitude = a[kLongitude];
  aircraft_.altitudeFt = a[kElevation] * kFeetPerMetre;
  aircraft_.headingDegTrue = a[kTrueHeading];
  // True minus magnetic heading: east positive, without relying on the sign of X-Plane's variation.
  aircraft_.magneticVariationDeg = SignedAngle(double(a[kTrueHeading]) - a[kMagneticHeading]);
  aircraft_.groundSpeedKt = a[kGroundSpeed] * kKnotsPerMetrePerSecond;
  aircraft_.indicatedAirspeedKt = a[kIndicatedAirspeed];
  aircraft_.trueAirspeedKt = a[kTrueAirspeed] * kKnotsPerMetrePerSecond;
  aircraft_.verticalSpeedFpm = a[kVerticalSpeed];
  aircraft_.windFromDegTrue = a[kWindFrom];
  aircraft_.windSpeedKt = a[kWindSpeed];
  aircraft_.apHeadingDegMagnetic = a[kApHeading];
  aircraft_.apAltitudeFt = a[kApAltitude];
  aircraft_.apVerticalSpeedFpm = a[kApVerticalSpeed];
  aircraft_.apAirspeedKt = a[kApAirspeed];
  autopilotState_ = static_cast<std::uint32_t>(std::clamp(a[kApState], 0.0f, 16777216.0f));
  autopilotMode_ = static_cast<int>(a[kApMode]);
  offsets_.PublishAircraft(aircraft_);
  PublishTraffic();
  const Clock::time_point now = Clock::now();
  std::erase_if(togglesAwaited_,
                [&](const auto& awaited) { return (autopilotState_ & awaited.first) != 0 || now >= awaited.second; });
  UpdateAltitudeMode(false);
}

void XPlaneMapping::PublishTraffic() {
  std::vector<TrafficReading> traffic;
  const int count = std::clamp(static_cast<int>(values_[kTrafficCount]), 1, kTrafficTargets + 1);
  for (int target = 1; target < count; ++target) {
    const std::size_t first = kAircraftValues + static_cast<std::size_t>(target - 1) * kTrafficFields;
    if (!heard_[first] || !heard_[first + 1]) continue;
    TrafficReading t;
    t.latitude = values_[first];
    t.longitude = values_[first + 1];
    t.altitudeFt = values_[first + 2] * kFeetPerMetre;
    t.headingDegTrue = values_[first + 3];
    const float id = values_[first + 4];
    t.id = id >= 1 && id < 16777216.0f ? static_cast<std::uint32_t>(id) : 0;
    traffic.push_back(t);
  }
  offsets_.PublishTraffic(traffic);
}

bool XPlaneMapping::complete() const {
  return std::all_of(heard_.begin(), heard_.begin() + kTrafficCount, [](bool heard) { return heard; });
}

void XPlaneMapping::ForgetAnswers() {
  std::fill(heard_.begin(), heard_.end(), false);
  togglesAwaited_.clear();
}

void XPlaneMapping::ReadOffsets(std::uint32_t offset, std::span<std::byte> out) { offsets_.ReadOffsets(offset, out); }

void XPlaneMapping::WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) {
  const OffsetWrites w = offsets_.Write(offset, in);
  if (w.apHeadingDegMagnetic) {
    Dref("sim/cockpit/autopilot/heading_mag", *w.apHeadingDegMagnetic);
    Engage(xplane_modes::kHeadingHold);
  }
  if (w.apAltitudeFt) Dref("sim/cockpit/autopilot/altitude", *w.apAltitudeFt);
  if (w.apVerticalSpeedFpm) {
    Dref("sim/cockpit/autopilot/vertical_velocity", *w.apVerticalSpeedFpm);
    corvaneRateFpm_ = rateSentFpm_ = *w.apVerticalSpeedFpm;
  }
  if (w.touchesAltitudeMode()) {
    altitudeEngaged_ = true;
    UpdateAltitudeMode(true);
  }
  if (w.apAirspeedKt) {
    Dref("sim/cockpit/autopilot/airspeed", *w.apAirspeedKt);
    Engage(xplane_modes::kAutothrottle);
  }
  if (w.spoilersRatio) Dref("sim/cockpit2/controls/speedbrake_ratio", *w.spoilersRatio);
  // X-Plane keeps NAV frequencies in tens of kilohertz (11030 for 110.30 MHz), ADF ones in kilohertz.
  if (w.nav1Megahertz) Dref("sim/cockpit2/radios/actuators/nav1_frequency_hz", std::round(*w.nav1Megahertz * 100));
  if (w.nav2Megahertz) Dref("sim/cockpit2/radios/actuators/nav2_frequency_hz", std::round(*w.nav2Megahertz * 100));
  if (w.adfKilohertz) Dref("sim/cockpit2/radios/actuators/adf1_frequency_hz", *w.adfKilohertz);
  if (w.nav1CourseDeg) Dref("sim/cockpit2/radios/actuators/nav1_obs_deg_mag_pilot", *w.nav1CourseDeg);
  if (w.latitude || w.longitude || w.altitudeFt || w.headingDegTrue) Place(w);
}

// corvane moves the aircraft in two batches (position, then heading and altitude); X-Plane places it
// with all four at once, so the second placement starts from the first rather than from an answer
// that may not show it yet.
void XPlaneMapping::Place(const OffsetWrites& w) {
  const Clock::time_point now = Clock::now();
  if (now >= placedUntil_) {
    placement_.latitude = aircraft_.latitude;
    placement_.longitude = aircraft_.longitude;
    placement_.elevationM = aircraft_.altitudeFt / kFeetPerMetre;
    placement_.headingDegTrue = static_cast<float>(aircraft_.headingDegTrue);
  }
  if (w.latitude) placement_.latitude = *w.latitude;
  if (w.longitude) placement_.longitude = *w.longitude;
  if (w.altitudeFt) placement_.elevationM = *w.altitudeFt / kFeetPerMetre;
  if (w.headingDegTrue) placement_.headingDegTrue = static_cast<float>(*w.headingDegTrue);
  placedUntil_ = now + kToggleWait;
  placementPending_ = true;
}

// Away from the target X-Plane climbs or descends in its vertical-speed mode, at corvane's rate when the
// switch is on, else at corvane's rate if it leads to the target or at the default rate; near the target
// it holds altitude.
void XPlaneMapping::UpdateAltitudeMode(bool written) {
  if (!altitudeEngaged_) return;
  const double targetFt = offsets_.apAltitudeFt();
  const bool away = ClimbsAtVerticalSpeed(true, targetFt, aircraft_.altitudeFt);
  const std::uint32_t wanted = away ? xplane_modes::kVerticalSpeed : xplane_modes::kAltitudeHold;
  if (!written && wanted == altitudeModeWanted_) return;
  altitudeModeWanted_ = wanted;
  if (away) {
    const double corvaneRate = corvaneRateFpm_.value_or(aircraft_.apVerticalSpeedFpm);
    const double direction = targetFt > aircraft_.altitudeFt ? 1 : -1;
    const bool leads = offsets_.vsHoldOn() || corvaneRate * direction >= 100;
    const double rateFpm = leads ? corvaneRate : direction * kDefaultClimbFpm;
    if (rateSentFpm_ != rateFpm) Dref("sim/cockpit/autopilot/vertical_velocity", rateFpm);
    rateSentFpm_ = rateFpm;
  }
  Engage(wanted);
}

void XPlaneMapping::Engage(std::uint32_t mode) {
  const Clock::time_point now = Clock::now();
  if (autopilotMode_ != kXPlaneAutopilotOn) {
    Dref("sim/cockpit/autopilot/autopilot_mode", kXPlaneAutopilotOn);
    autopilotMode_ = kXPlaneAutopilotOn;  // until an answer says otherwise
  }
  if ((autopilotState_ & mode) != 0) return;
  const bool awaited = std::any_of(togglesAwaited_.begin(), togglesAwaited_.end(),
                                   [&](const auto& a) { return a.first == mode && now < a.second; });
  if (awaited) return;
  Dref(kApStateName, mode);
  togglesAwaited_.emplace_back(mode, now + kToggleWait);
}

void XPlaneMapping::Dref(const std::string& name, double value) {
  if (auto packet = xplane::EncodeDref({static_cast<float>(value), name})) packets_.push_back(std::move(*packet));
}

std::vector<xplane::Packet> XPlaneMapping::TakePackets() {
  if (std::exchange(placementPending_, false)) packets_.push_back(xplane::EncodeVehx(placement_));
  return std::exchange(packets_, {});
}

std::string XPlaneMapping::StateLine() const {
  const AircraftReading& a = aircraft_;
  char line[200];
  std::snprintf(line, sizeof line,
                "lat %.6f lon %.6f alt %.0f ft hdg %.1f ias %.0f kt gs %.0f kt vs %.0f fpm, modes 0x%X", a.latitude,
                a.longitude, a.altitudeFt, a.headingDegTrue, a.indicatedAirspeedKt, a.groundSpeedKt, a.verticalSpeedFpm,
                autopilotState_);
  return line;
}

}  // namespace corvane::simhost
