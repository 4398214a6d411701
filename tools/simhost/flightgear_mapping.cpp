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

constexpr std::uint32_t kFlightSimServerVersion = 0x49740000;
constexpr std::uint32_t kXPlaneServerVersion = 0x50020000;
constexpr std::uint32_t kSimulatorWord = 0xFADE000C;
constexpr double kMetresPerSecondPerKnot = 0.514444;
constexpr double kMetresPerFoot = 0.3048;

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

// Four BCD nibbles after the leading 1: 0x1030 → 110.30 MHz.
double NavMegahertz(std::uint16_t bcd) {
  return 100 + ((bcd >> 12) & 0xF) * 10 + ((bcd >> 8) & 0xF) + ((bcd >> 4) & 0xF) / 10.0 + (bcd & 0xF) / 100.0;
}

// Rounded up to the field's unit, where corvane's reading truncates: a bug at 236 must not read as 235.
std::uint16_t HeadingBugUnits(double headingDeg) {
  double degrees = std::fmod(headingDeg, 360.0);
  if (degrees < 0) degrees += 360.0;
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(std::ceil(degrees * 65536.0 / 360.0 - 1e-6)) & 0xFFFF);
}

// Three BCD nibbles: 0x0352 → 352 kHz.
double AdfKilohertz(std::uint16_t bcd) { return ((bcd >> 8) & 0xF) * 100 + ((bcd >> 4) & 0xF) * 10 + (bcd & 0xF); }

}  // namespace

FlightGearMapping::FlightGearMapping(bool xplane) : aircraft_(kAircraftValues, 0.0) {
  Put(kOffsetServerVersion, xplane ? kXPlaneServerVersion : kFlightSimServerVersion);
  Put(kOffsetSimulatorVersion, kSimulatorWord);
}

template <typename T>
void FlightGearMapping::Put(std::uint32_t offset, T value) {
  std::memcpy(offsets_.data() + offset, &value, sizeof value);
}

template <typename T>
T FlightGearMapping::Get(std::uint32_t offset) const {
  T value{};
  std::memcpy(&value, offsets_.data() + offset, sizeof value);
  return value;
}

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

  Put(kOffsetLatitude, EncodeLatitude(a[kLatitude]));
  Put(kOffsetLongitude, EncodeLongitude(a[kLongitude]));
  Put(kOffsetAltitude, EncodeAltitude(a[kAltitude]));
  Put(kOffsetHeading, EncodeHeading(a[kHeading]));
  Put(kOffsetGroundSpeed, static_cast<std::int32_t>(a[kGroundSpeed] * kMetresPerSecondPerKnot * 65536.0));
  Put(kOffsetIndicatedAirspeed, static_cast<std::int32_t>(a[kIndicatedAirspeed] * 128.0));
  Put(kOffsetTrueAirspeed, static_cast<std::int32_t>(a[kTrueAirspeed] * 128.0));
  Put(kOffsetVerticalSpeed, static_cast<std::int32_t>(a[kVerticalSpeed] * kMetresPerFoot * 256.0));
  Put(kOffsetMagneticVariation, EncodeMagneticVariation(a[kMagneticVariation]));
  Put(kOffsetWindSpeed, static_cast<std::uint16_t>(std::clamp(std::round(a[kWindSpeed]), 0.0, 65535.0)));
  Put(kOffsetWindDirection, EncodeWindDirection(a[kWindFrom]));
  Put(kOffsetApHeading, HeadingBugUnits(a[kHeadingBug]));
  Put(kOffsetApAltitude, EncodeApAltitude(a[kTargetAltitude]));
  Put(kOffsetApVerticalSpeed, EncodeApVerticalSpeed(a[kTargetVerticalSpeed]));
  Put(kOffsetApAirspeed, EncodeApAirspeed(std::round(a[kTargetSpeed])));
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
  const std::span<std::byte> table = std::span<std::byte>(offsets_).subspan(kOffsetTrafficTable, kTrafficTableBytes);
  std::fill(table.begin(), table.end(), std::byte{0});
  std::size_t slot = 0;
  for (std::size_t first = 0; first + kTrafficFieldCount <= values.size(); first += kTrafficFieldCount) {
    const std::span<const std::string> v = values.subspan(first, kTrafficFieldCount);
    double latitude = 0, longitude = 0;
    const bool valid = v[0] == "true" || v[0] == "1";
    if (!valid || !ParseNumber(v[3], latitude) || !ParseNumber(v[4], longitude)) continue;
    if (latitude == 0 && longitude == 0) continue;
    const std::span<std::byte> bytes = table.subspan(slot * kTrafficSlotBytes, kTrafficSlotBytes);
    // An id of 0 would read as an empty slot.
    const double id = NumberOr(v[1], 0);
    const std::uint32_t slotId = id >= 1 && id < 4294967296.0 ? static_cast<std::uint32_t>(id) : slot + 1;
    const auto store = [&bytes](std::size_t at, auto value) { std::memcpy(bytes.data() + at, &value, sizeof value); };
    store(0, slotId);
    store(4, static_cast<float>(latitude));
    store(8, static_cast<float>(longitude));
    store(12, static_cast<float>(NumberOr(v[5], 0)));
    store(16, EncodeWindDirection(NumberOr(v[6], 0)));  // the same 16-bit angle
    store(18, static_cast<std::uint16_t>(std::clamp(NumberOr(v[7], 0), 0.0, 65535.0)));
    std::memcpy(bytes.data() + kTrafficCallsignByte, v[2].data(), std::min<std::size_t>(v[2].size(), 14));
    ++slot;
  }
}

void FlightGearMapping::ReadOffsets(std::uint32_t offset, std::span<std::byte> out) {
  simlink::ReadOffsetSpace(offsets_, offset, out);
}

void FlightGearMapping::WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) {
  const std::size_t count = simlink::WriteOffsetSpace(offsets_, offset, in);
  if (offset >= offsets_.size()) return;
  const auto wrote = [&](std::uint32_t field, std::uint32_t fieldBytes) {
    return Overlaps(offset, count, field, fieldBytes);
  };
  if (wrote(kOffsetApHeading, 2)) {
    Command("/autopilot/settings/heading-bug-deg", Get<std::uint16_t>(kOffsetApHeading) * 360.0 / 65536.0);
    Command("/autopilot/locks/heading", "dg-heading-hold");
  }
  if (wrote(kOffsetApAltitude, 4))
    Command("/autopilot/settings/target-altitude-ft", Get<std::int32_t>(kOffsetApAltitude) / 65536.0 / kMetresPerFoot);
  if (wrote(kOffsetApVerticalSpeed, 2))
    Command("/autopilot/settings/vertical-speed-fpm", Get<std::int16_t>(kOffsetApVerticalSpeed));
  if (wrote(kOffsetApAltitude, 4) || wrote(kOffsetApVerticalSpeed, 2) || wrote(kOffsetVsHold, 4)) {
    altitudeEngaged_ = true;
    UpdateAltitudeLock(true);
  }
  if (wrote(kOffsetApAirspeed, 2)) {
    Command("/autopilot/settings/target-speed-kt", Get<std::uint16_t>(kOffsetApAirspeed));
    Command("/autopilot/locks/speed", "speed-with-throttle");
  }
  if (wrote(kOffsetSpoilers, 4)) {
    // Values above full deflection are the retracted lever of a wrapped command.
    const std::uint32_t raw = Get<std::uint32_t>(kOffsetSpoilers);
    Command("/controls/flight/spoilers", raw <= 16383 ? raw / 16383.0 : 0.0);
  }
  if (wrote(kOffsetNav1Frequency, 2))
    Command("/instrumentation/nav[0]/frequencies/selected-mhz", NavMegahertz(Get<std::uint16_t>(kOffsetNav1Frequency)));
  if (wrote(kOffsetNav2Frequency, 2))
    Command("/instrumentation/nav[1]/frequencies/selected-mhz", NavMegahertz(Get<std::uint16_t>(kOffsetNav2Frequency)));
  if (wrote(kOffsetAdfFrequency, 2))
    Command("/instrumentation/adf[0]/frequencies/selected-khz", AdfKilohertz(Get<std::uint16_t>(kOffsetAdfFrequency)));
  if (wrote(kOffsetNav1Course, 2))
    Command("/instrumentation/nav[0]/radials/selected-deg", Get<std::uint16_t>(kOffsetNav1Course));
  if (wrote(kOffsetLatitude, 8))
    Command("/position/latitude-deg", std::clamp(DecodeLatitude(Get<std::int64_t>(kOffsetLatitude)), -90.0, 90.0));
  if (wrote(kOffsetLongitude, 8))
    Command("/position/longitude-deg", DecodeLongitude(Get<std::int64_t>(kOffsetLongitude)));
  if (wrote(kOffsetAltitude, 8)) Command("/position/altitude-ft", DecodeAltitude(Get<std::int64_t>(kOffsetAltitude)));
  if (wrote(kOffsetHeading, 4)) Command("/orientation/heading-deg", DecodeHeading(Get<std::uint32_t>(kOffsetHeading)));
}

// FlightGear's vertical-speed hold never stops at the target altitude; the switch corvane sets means
// "climb or descend at this rate to the target", so near the target the bridge engages altitude hold.
void FlightGearMapping::UpdateAltitudeLock(bool written) {
  if (!altitudeEngaged_) return;
  const double targetFt = Get<std::int32_t>(kOffsetApAltitude) / 65536.0 / kMetresPerFoot;
  const bool climbing =
      Get<std::uint32_t>(kOffsetVsHold) != 0 && std::abs(targetFt - aircraft_[kAltitude]) > kCaptureBandFt;
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
