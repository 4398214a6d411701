// The property table of the FlightGear bridge: which property fills which offset, and which property a
// written offset sets, with the autopilot lock that makes FlightGear fly it.
#include "tools/simhost/flightgear_mapping.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "corvane/simlink/offset_codec.h"
#include "corvane/simlink/sim_link.h"
#include "formats/plain_decimal.h"

namespace corvane::simhost {
namespace {

using namespace corvane::simlink;

// The aircraft's properties, in poll order.
enum AircraftValue : std::size_t {
  kLatitude,
  kLongitude,
  kAltitude,
  kHeading,
  kGroundSpeed,
  kIndicatedAirspeed,
  kTrueAirspeed,
  kVerticalSpeed,
  kMagneticVariation,
  kWindSpeed,
  kWindFrom,
  kHeadingBug,
  kTargetAltitude,
  kTargetVerticalSpeed,
  kTargetSpeed,
  kAircraftValues
};
constexpr const char* kAircraftPaths[kAircraftValues] = {
    "/position/latitude-deg",
    "/position/longitude-deg",
    "/position/altitude-ft",
    "/orientation/heading-deg",
    "/velocities/groundspeed-kt",
    "/velocities/airspeed-kt",
    "/fdm/jsbsim/velocities/vtrue-kts",
    "/velocities/vertical-speed-fps",
    "/environment/magnetic-variation-deg",
    "/environment/wind-speed-kt",
    "/environment/wind-from-heading-deg",
    "/autopilot/settings/heading-bug-deg",
    "/autopilot/settings/target-altitude-ft",
    "/autopilot/settings/vertical-speed-fpm",
    "/autopilot/settings/target-speed-kt",
};
constexpr const char* kAltitudeLockPath = "/autopilot/locks/altitude";
constexpr const char* kTrafficFolder = "/ai/models";
// Asked after the listing: no property has this name, so its answer is the empty line that ends it.
constexpr const char* kListingEnd = "/sim/corvane-bridge/end-of-listing";

// Each traffic aircraft's properties, in poll order.
constexpr const char* kTrafficFields[] = {"valid",
                                          "id",
                                          "callsign",
                                          "position/latitude-deg",
                                          "position/longitude-deg",
                                          "position/altitude-ft",
                                          "orientation/true-heading-deg",
                                          "velocities/true-airspeed-kt"};
constexpr std::size_t kTrafficFieldCount = std::size(kTrafficFields);
// Kinds of /ai/models children that are aircraft (ships, carriers and ballistic objects are not).
constexpr std::string_view kTrafficKinds[] = {"aircraft", "multiplayer", "swift"};

bool ParseNumber(std::string_view text, double& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  double parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (text.empty() || error != std::errc() || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

double NumberOr(std::string_view text, double fallback) {
  double value = fallback;
  ParseNumber(text, value);
  return value;
}

// "aircraft[3]/" → "/ai/models/aircraft[3]"; empty for leaves and for children that are not aircraft.
std::string TrafficPath(std::string_view listed) {
  if (!listed.ends_with('/')) return {};
  listed.remove_suffix(1);
  const std::string_view kind = listed.substr(0, listed.find('['));
  if (std::find(std::begin(kTrafficKinds), std::end(kTrafficKinds), kind) == std::end(kTrafficKinds)) return {};
  return std::string(kTrafficFolder) + "/" + std::string(listed);
}

}  // namespace

FlightGearMapping::FlightGearMapping(bool xplane) : offsets_(xplane), aircraft_(kAircraftValues, 0.0) {}

std::string FlightGearMapping::PollRequest() const {
  std::string request;
  for (const char* path : kAircraftPaths) request += std::string("get ") + path + "\r\n";
  for (const std::string& aircraft : trafficPaths_) {
    for (const char* field : kTrafficFields) request += "get " + aircraft + "/" + field + "\r\n";
  }
  request += std::string("ls ") + kTrafficFolder + "\r\nget " + kListingEnd + "\r\n";
  return request;
}

std::size_t FlightGearMapping::valueCount() const {
  return kAircraftValues + trafficPaths_.size() * kTrafficFieldCount;
}

void FlightGearMapping::AbsorbPoll(std::span<const std::string> values, std::span<const std::string> listing) {
  if (values.size() != valueCount()) return;
  // A property FlightGear does not have answers empty: the last value stays.
  for (std::size_t i = 0; i < kAircraftValues; ++i) aircraft_[i] = NumberOr(values[i], aircraft_[i]);
  const std::vector<double>& a = aircraft_;

  AircraftReading reading;
  reading.latitude = a[kLatitude];
  reading.longitude = a[kLongitude];
  reading.altitudeFt = a[kAltitude];
  reading.headingDegTrue = a[kHeading];
  reading.groundSpeedKt = a[kGroundSpeed];
  reading.indicatedAirspeedKt = a[kIndicatedAirspeed];
  reading.trueAirspeedKt = a[kTrueAirspeed];
  reading.verticalSpeedFpm = a[kVerticalSpeed] * 60.0;
  reading.magneticVariationDeg = a[kMagneticVariation];
  reading.windSpeedKt = a[kWindSpeed];
  reading.windFromDegTrue = a[kWindFrom];
  reading.apHeadingDegMagnetic = a[kHeadingBug];
  reading.apAltitudeFt = a[kTargetAltitude];
  reading.apVerticalSpeedFpm = a[kTargetVerticalSpeed];
  reading.apAirspeedKt = a[kTargetSpeed];
  offsets_.PublishAircraft(reading);
  PublishTraffic(values.subspan(kAircraftValues));

  trafficPaths_.clear();
  for (const std::string& line : listing) {
    std::string path = TrafficPath(line);
    if (!path.empty() && trafficPaths_.size() < static_cast<std::size_t>(kTrafficSlots))
      trafficPaths_.push_back(std::move(path));
  }
  UpdateAltitudeLock(false);
}

void FlightGearMapping::PublishTraffic(std::span<const std::string> values) {
  std::vector<TrafficReading> traffic;
  for (std::size_t first = 0; first + kTrafficFieldCount <= values.size(); first += kTrafficFieldCount) {
    const std::span<const std::string> v = values.subspan(first, kTrafficFieldCount);
    TrafficReading t;
    const bool valid = v[0] == "true" || v[0] == "1";
    if (!valid || !ParseNumber(v[3], t.latitude) || !ParseNumber(v[4], t.longitude)) continue;
    const double id = NumberOr(v[1], 0);
    t.id = id >= 1 && id < 4294967296.0 ? static_cast<std::uint32_t>(id) : 0;
    t.callsign = v[2];
    t.altitudeFt = NumberOr(v[5], 0);
    t.headingDegTrue = NumberOr(v[6], 0);
    t.trueAirspeedKt = NumberOr(v[7], 0);
    traffic.push_back(std::move(t));
  }
  offsets_.PublishTraffic(traffic);
}

void FlightGearMapping::ReadOffsets(std::uint32_t offset, std::span<std::byte> out) {
  offsets_.ReadOffsets(offset, out);
}

void FlightGearMapping::WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) {
  const OffsetWrites w = offsets_.Write(offset, in);
  if (w.apHeadingDegMagnetic) {
    Command("/autopilot/settings/heading-bug-deg", *w.apHeadingDegMagnetic);
    Command("/autopilot/locks/heading", "dg-heading-hold");
  }
  if (w.apAltitudeFt) Command("/autopilot/settings/target-altitude-ft", *w.apAltitudeFt);
  if (w.apVerticalSpeedFpm) Command("/autopilot/settings/vertical-speed-fpm", *w.apVerticalSpeedFpm);
  if (w.touchesAltitudeMode()) {
    altitudeEngaged_ = true;
    UpdateAltitudeLock(true);
  }
  if (w.apAirspeedKt) {
    Command("/autopilot/settings/target-speed-kt", *w.apAirspeedKt);
    Command("/autopilot/locks/speed", "speed-with-throttle");
  }
  if (w.spoilersRatio) Command("/controls/flight/spoilers", *w.spoilersRatio);
  if (w.nav1Megahertz) Command("/instrumentation/nav[0]/frequencies/selected-mhz", *w.nav1Megahertz);
  if (w.nav2Megahertz) Command("/instrumentation/nav[1]/frequencies/selected-mhz", *w.nav2Megahertz);
  if (w.adfKilohertz) Command("/instrumentation/adf[0]/frequencies/selected-khz", *w.adfKilohertz);
  if (w.nav1CourseDeg) Command("/instrumentation/nav[0]/radials/selected-deg", *w.nav1CourseDeg);
  if (w.latitude) Command("/position/latitude-deg", *w.latitude);
  if (w.longitude) Command("/position/longitude-deg", *w.longitude);
  if (w.altitudeFt) Command("/position/altitude-ft", *w.altitudeFt);
  if (w.headingDegTrue) Command("/orientation/heading-deg", *w.headingDegTrue);
}

// FlightGear's vertical-speed hold never stops at the target altitude; the switch corvane sets means
// "climb or descend at this rate to the target", so near the target the bridge engages altitude hold.
void FlightGearMapping::UpdateAltitudeLock(bool written) {
  if (!altitudeEngaged_) return;
  const bool climbing = ClimbsAtVerticalSpeed(offsets_.vsHoldOn(), offsets_.apAltitudeFt(), aircraft_[kAltitude]);
  const std::string lock = climbing ? "vertical-speed-hold" : "altitude-hold";
  if (written || lock != altitudeLockSent_) Command(kAltitudeLockPath, lock);
  altitudeLockSent_ = lock;
}

void FlightGearMapping::Command(const std::string& path, const std::string& value) {
  commands_ += "set " + path + " " + value + "\r\n";
}

void FlightGearMapping::Command(const std::string& path, double value) {
  Command(path, formats::PlainDecimalText(value));
}

std::string FlightGearMapping::TakeCommands() { return std::exchange(commands_, {}); }

std::string FlightGearMapping::StateLine() const {
  const std::vector<double>& a = aircraft_;
  char line[200];
  std::snprintf(line, sizeof line,
                "lat %.6f lon %.6f alt %.0f ft hdg %.1f ias %.0f kt gs %.0f kt vs %.0f fpm, %zu traffic", a[kLatitude],
                a[kLongitude], a[kAltitude], a[kHeading], a[kIndicatedAirspeed], a[kGroundSpeed],
                a[kVerticalSpeed] * 60.0, trafficPaths_.size());
  return line;
}

}  // namespace corvane::simhost
