// Encodings of a bridge's offsets: what a simulator reports into the offsets, corvane's writes out of them.
#include "tools/simhost/simulator_offsets.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "corvane/simlink/offset_codec.h"
#include "corvane/simlink/sim_link.h"

namespace corvane::simhost {
namespace {

using namespace corvane::simlink;

constexpr std::uint32_t kFlightSimServerVersion = 0x49740000;
constexpr std::uint32_t kXPlaneServerVersion = 0x50020000;
constexpr std::uint32_t kSimulatorWord = 0xFADE000C;
constexpr double kMetresPerSecondPerKnot = 0.514444;
constexpr double kMetresPerFoot = 0.3048;

// Four BCD nibbles after the leading 1: 0x1030 → 110.30 MHz.
double NavMegahertz(std::uint16_t bcd) {
  return 100 + ((bcd >> 12) & 0xF) * 10 + ((bcd >> 8) & 0xF) + ((bcd >> 4) & 0xF) / 10.0 + (bcd & 0xF) / 100.0;
}

// Three BCD nibbles: 0x0352 → 352 kHz.
double AdfKilohertz(std::uint16_t bcd) { return ((bcd >> 8) & 0xF) * 100 + ((bcd >> 4) & 0xF) * 10 + (bcd & 0xF); }

// Rounded up to the field's unit, where corvane's reading truncates: a bug at 236 must not read as 235.
std::uint16_t HeadingBugUnits(double headingDeg) {
  double degrees = std::fmod(headingDeg, 360.0);
  if (degrees < 0) degrees += 360.0;
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(std::ceil(degrees * 65536.0 / 360.0 - 1e-6)) & 0xFFFF);
}

template <typename To>
To Saturated(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<To>(
      std::clamp(value, double(std::numeric_limits<To>::min()), double(std::numeric_limits<To>::max())));
}

}  // namespace

bool ClimbsAtVerticalSpeed(bool switchOn, double targetFt, double altitudeFt) {
  return switchOn && std::abs(targetFt - altitudeFt) > kCaptureBandFt;
}

SimulatorOffsets::SimulatorOffsets(bool xplane) {
  Put(kOffsetServerVersion, xplane ? kXPlaneServerVersion : kFlightSimServerVersion);
  Put(kOffsetSimulatorVersion, kSimulatorWord);
}

template <typename T>
void SimulatorOffsets::Put(std::uint32_t offset, T value) {
  std::memcpy(offsets_.data() + offset, &value, sizeof value);
}

template <typename T>
T SimulatorOffsets::Get(std::uint32_t offset) const {
  T value{};
  std::memcpy(&value, offsets_.data() + offset, sizeof value);
  return value;
}

void SimulatorOffsets::PublishAircraft(const AircraftReading& a) {
  Put(kOffsetLatitude, EncodeLatitude(a.latitude));
  Put(kOffsetLongitude, EncodeLongitude(a.longitude));
  Put(kOffsetAltitude, EncodeAltitude(a.altitudeFt));
  Put(kOffsetHeading, EncodeHeading(a.headingDegTrue));
  Put(kOffsetGroundSpeed, Saturated<std::int32_t>(a.groundSpeedKt * kMetresPerSecondPerKnot * 65536.0));
  Put(kOffsetIndicatedAirspeed, Saturated<std::int32_t>(a.indicatedAirspeedKt * 128.0));
  Put(kOffsetTrueAirspeed, Saturated<std::int32_t>(a.trueAirspeedKt * 128.0));
  Put(kOffsetVerticalSpeed, Saturated<std::int32_t>(a.verticalSpeedFpm / 60.0 * kMetresPerFoot * 256.0));
  Put(kOffsetMagneticVariation, EncodeMagneticVariation(a.magneticVariationDeg));
  Put(kOffsetWindSpeed, static_cast<std::uint16_t>(std::clamp(std::round(a.windSpeedKt), 0.0, 65535.0)));
  Put(kOffsetWindDirection, EncodeWindDirection(a.windFromDegTrue));
  Put(kOffsetApHeading, HeadingBugUnits(a.apHeadingDegMagnetic));
  Put(kOffsetApAltitude, EncodeApAltitude(a.apAltitudeFt));
  Put(kOffsetApVerticalSpeed, EncodeApVerticalSpeed(a.apVerticalSpeedFpm));
  Put(kOffsetApAirspeed, EncodeApAirspeed(std::round(a.apAirspeedKt)));
}

void SimulatorOffsets::PublishTraffic(std::span<const TrafficReading> traffic) {
  const std::span<std::byte> table = std::span<std::byte>(offsets_).subspan(kOffsetTrafficTable, kTrafficTableBytes);
  std::fill(table.begin(), table.end(), std::byte{0});
  std::size_t slot = 0;
  for (const TrafficReading& t : traffic) {
    if (slot >= static_cast<std::size_t>(kTrafficSlots)) break;
    if (!std::isfinite(t.latitude) || !std::isfinite(t.longitude) || (t.latitude == 0 && t.longitude == 0)) continue;
    const std::span<std::byte> bytes = table.subspan(slot * kTrafficSlotBytes, kTrafficSlotBytes);
    const auto store = [&bytes](std::size_t at, auto value) { std::memcpy(bytes.data() + at, &value, sizeof value); };
    store(0, t.id != 0 ? t.id : static_cast<std::uint32_t>(slot + 1));
    store(4, static_cast<float>(t.latitude));
    store(8, static_cast<float>(t.longitude));
    store(12, static_cast<float>(t.altitudeFt));
    store(16, EncodeWindDirection(t.headingDegTrue));  // the same 16-bit angle
    store(18,
          static_cast<std::uint16_t>(std::clamp(std::isfinite(t.trueAirspeedKt) ? t.trueAirspeedKt : 0, 0.0, 65535.0)));
    std::memcpy(bytes.data() + kTrafficCallsignByte, t.callsign.data(), std::min<std::size_t>(t.callsign.size(), 14));
    ++slot;
  }
}

void SimulatorOffsets::ReadOffsets(std::uint32_t offset, std::span<std::byte> out) {
  simlink::ReadOffsetSpace(offsets_, offset, out);
}

void SimulatorOffsets::WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) { Write(offset, in); }

OffsetWrites SimulatorOffsets::Write(std::uint32_t offset, std::span<const std::byte> in) {
  OffsetWrites w;
  const std::size_t count = simlink::WriteOffsetSpace(offsets_, offset, in);
  if (offset >= offsets_.size()) return w;
  const auto wrote = [&](std::uint32_t field, std::uint32_t fieldBytes) {
    return Overlaps(offset, count, field, fieldBytes);
  };
  if (wrote(kOffsetApHeading, 2)) w.apHeadingDegMagnetic = Get<std::uint16_t>(kOffsetApHeading) * 360.0 / 65536.0;
  if (wrote(kOffsetApAltitude, 4)) w.apAltitudeFt = apAltitudeFt();
  if (wrote(kOffsetApVerticalSpeed, 2)) w.apVerticalSpeedFpm = Get<std::int16_t>(kOffsetApVerticalSpeed);
  w.verticalSpeedSwitch = wrote(kOffsetVsHold, 4);
  if (wrote(kOffsetApAirspeed, 2)) w.apAirspeedKt = Get<std::uint16_t>(kOffsetApAirspeed);
  if (wrote(kOffsetSpoilers, 4)) {
    // Values above full deflection are the retracted lever of a wrapped command.
    const std::uint32_t raw = Get<std::uint32_t>(kOffsetSpoilers);
    w.spoilersRatio = raw <= 16383 ? raw / 16383.0 : 0.0;
  }
  if (wrote(kOffsetNav1Frequency, 2)) w.nav1Megahertz = NavMegahertz(Get<std::uint16_t>(kOffsetNav1Frequency));
  if (wrote(kOffsetNav2Frequency, 2)) w.nav2Megahertz = NavMegahertz(Get<std::uint16_t>(kOffsetNav2Frequency));
  if (wrote(kOffsetAdfFrequency, 2)) w.adfKilohertz = AdfKilohertz(Get<std::uint16_t>(kOffsetAdfFrequency));
  if (wrote(kOffsetNav1Course, 2)) w.nav1CourseDeg = Get<std::uint16_t>(kOffsetNav1Course);
  if (wrote(kOffsetLatitude, 8))
    w.latitude = std::clamp(DecodeLatitude(Get<std::int64_t>(kOffsetLatitude)), -90.0, 90.0);
  if (wrote(kOffsetLongitude, 8)) w.longitude = DecodeLongitude(Get<std::int64_t>(kOffsetLongitude));
  if (wrote(kOffsetAltitude, 8)) w.altitudeFt = DecodeAltitude(Get<std::int64_t>(kOffsetAltitude));
  if (wrote(kOffsetHeading, 4)) w.headingDegTrue = DecodeHeading(Get<std::uint32_t>(kOffsetHeading));
  return w;
}

bool SimulatorOffsets::vsHoldOn() const { return Get<std::uint32_t>(kOffsetVsHold) != 0; }

double SimulatorOffsets::apAltitudeFt() const {
  return Get<std::int32_t>(kOffsetApAltitude) / 65536.0 / kMetresPerFoot;
}

}  // namespace corvane::simhost

namespace corvane::simhost {

double SimulatorOffsets::apVerticalSpeedFpm() const { return Get<std::int16_t>(simlink::kOffsetApVerticalSpeed); }

}  // namespace corvane::simhost
