// The flight model: standard-rate turns to the autopilot heading, climbs and descents that capture the
// autopilot altitude, speed changes toward the autopilot airspeed, and wind drift.
#include "standin/flight_model.h"

#include <algorithm>
#include <cmath>

#include "corvane/simlink/offset_codec.h"
#include "corvane/simlink/sim_link.h"

namespace corvane::standin {
namespace {

using namespace corvane::simlink;

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
constexpr double kMaxStepSeconds = 0.1;
constexpr std::uint32_t kFlightSimServerVersion = 0x49740000;
constexpr std::uint32_t kXPlaneServerVersion = 0x50020000;
constexpr std::uint32_t kSimulatorWord = 0xFADE000C;
constexpr double kMetresPerSecondPerKnot = 0.514444;

double WrapDegrees360(double degrees) {
  degrees = std::fmod(degrees, 360.0);
  return degrees < 0 ? degrees + 360.0 : degrees;
}

double WrapDegrees180(double degrees) {
  degrees = WrapDegrees360(degrees);
  return degrees > 180.0 ? degrees - 360.0 : degrees;
}

// Standard rate, or slower where it would take more than the autopilot's bank: rate = g tan(bank) / speed.
double TurnRateDegPerSec(double trueAirspeedKt) {
  const double bankLimitedDegPerSec =
      1091.0 * std::tan(FlightModel::kMaxBankDeg * kDegToRad) / std::max(trueAirspeedKt, 1.0);
  return std::min(FlightModel::kTurnRateDegPerSec, bankLimitedDegPerSec);
}

// What the engines give: a brisk climb low down, some 1200 ft/min near FL350.
double MaxClimbFpm(double altitudeFt) { return std::max(500.0, 4000.0 - 0.08 * std::max(0.0, altitudeFt)); }

}  // namespace

FlightModel::FlightModel(const FlightModelOptions& options)
    : options_(options), traffic_(options.trafficCount, options.seed, options.latitude, options.longitude) {
  aircraft_.latitude = options.latitude;
  aircraft_.longitude = options.longitude;
  aircraft_.altitudeFt = options.altitudeFt;
  aircraft_.headingDegTrue = WrapDegrees360(options.headingDegTrue);
  aircraft_.indicatedAirspeedKt = options.airspeedKt;
  Put(kOffsetServerVersion, serverVersion());
  Put(kOffsetSimulatorVersion, kSimulatorWord);
  // The autopilot starts on the current values: straight and level until a client says otherwise.
  Put(kOffsetApHeading, EncodeApHeading(aircraft_.headingDegTrue - options.magneticVariationDeg));
  Put(kOffsetApAltitude, EncodeApAltitude(options.altitudeFt));
  Put(kOffsetApAirspeed, EncodeApAirspeed(options.airspeedKt));
  Put(kOffsetApVerticalSpeed, std::int16_t{0});
  Put(kOffsetVsHold, std::uint32_t{0});
  Publish();
}

std::uint32_t FlightModel::serverVersion() const {
  return options_.xplane ? kXPlaneServerVersion : kFlightSimServerVersion;
}

std::uint32_t FlightModel::ServeBlock(std::span<std::byte> block) {
  const std::uint32_t reply = ServeRequestBlock(block, *this);
  AbsorbPositionWrites();
  return reply;
}

void FlightModel::ReadOffsets(std::uint32_t offset, std::span<std::byte> out) {
  simlink::ReadOffsetSpace(offsets_, offset, out);
}

void FlightModel::WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) {
  const std::size_t count = simlink::WriteOffsetSpace(offsets_, offset, in);
  if (offset >= offsets_.size()) return;
  latitudeWritten_ |= Overlaps(offset, count, kOffsetLatitude, 8);
  longitudeWritten_ |= Overlaps(offset, count, kOffsetLongitude, 8);
  altitudeWritten_ |= Overlaps(offset, count, kOffsetAltitude, 8);
  headingWritten_ |= Overlaps(offset, count, kOffsetHeading, 4);
}

void FlightModel::AbsorbPositionWrites() {
  if (latitudeWritten_)
    aircraft_.latitude = std::clamp(DecodeLatitude(Get<std::int64_t>(kOffsetLatitude)), -89.9, 89.9);
  if (longitudeWritten_) aircraft_.longitude = DecodeLongitude(Get<std::int64_t>(kOffsetLongitude));
  if (altitudeWritten_) aircraft_.altitudeFt = DecodeAltitude(Get<std::int64_t>(kOffsetAltitude));
  if (headingWritten_) aircraft_.headingDegTrue = WrapDegrees360(DecodeHeading(Get<std::uint32_t>(kOffsetHeading)));
  latitudeWritten_ = longitudeWritten_ = altitudeWritten_ = headingWritten_ = false;
}

void FlightModel::Step(double seconds) {
  if (!(seconds > 0)) return;
  while (seconds > 0) {
    const double step = std::min(seconds, kMaxStepSeconds);
    StepOnce(step);
    seconds -= step;
  }
  Publish();
}

void FlightModel::StepOnce(double seconds) {
  elapsedSeconds_ += seconds;
  AircraftTruth& a = aircraft_;

  // Heading: the autopilot heading is magnetic; turn the short way at standard rate.
  const double apHeadingMagnetic = Get<std::uint16_t>(kOffsetApHeading) * 360.0 / 65536.0;
  const double turn = WrapDegrees180(apHeadingMagnetic + options_.magneticVariationDeg - a.headingDegTrue);
  const double maxTurn = TurnRateDegPerSec(a.trueAirspeedKt) * seconds;
  a.headingDegTrue = WrapDegrees360(a.headingDegTrue + std::clamp(turn, -maxTurn, maxTurn));

  // Altitude: vertical-speed hold flies the commanded rate; otherwise climb or descend at that rate's
  // size (or a default). Either way a rate toward the target altitude stops at it and holds it.
  const double targetFt = Get<std::int32_t>(kOffsetApAltitude) / 65536.0 / 0.3048;
  const double commandedFpm = Get<std::int16_t>(kOffsetApVerticalSpeed);
  const double toTargetFt = targetFt - a.altitudeFt;
  double verticalSpeedFpm;
  if (std::abs(toTargetFt) < 0.5) {
    verticalSpeedFpm = 0;  // captured: the altitude holds until the target moves
  } else if (Get<std::uint32_t>(kOffsetVsHold) != 0) {
    verticalSpeedFpm = commandedFpm;
  } else {
    verticalSpeedFpm = std::copysign(commandedFpm != 0 ? std::abs(commandedFpm) : kDefaultClimbFpm, toTargetFt);
  }
  verticalSpeedFpm = std::clamp(verticalSpeedFpm, -kMaxDescentFpm, MaxClimbFpm(a.altitudeFt));
  double climbFt = verticalSpeedFpm * seconds / 60.0;
  const bool towardTarget = climbFt * toTargetFt > 0;
  if (towardTarget && std::abs(climbFt) >= std::abs(toTargetFt)) {
    climbFt = toTargetFt;
    verticalSpeedFpm = 0;
  }
  a.altitudeFt += climbFt;
  a.verticalSpeedFpm = verticalSpeedFpm;

  // Speed: accelerate or decelerate toward the autopilot airspeed; spoilers add drag.
  const std::uint32_t spoilerRaw = Get<std::uint32_t>(kOffsetSpoilers);
  const double spoiler = spoilerRaw <= 16383 ? spoilerRaw / 16383.0 : 0.0;
  const double targetKt = Get<std::uint16_t>(kOffsetApAirspeed);
  const double accelerate = kAccelerationKtPerSec * (1.0 - spoiler) * seconds;
  const double decelerate = (kDecelerationKtPerSec + kSpoilerDecelerationKtPerSec * spoiler) * seconds;
  if (targetKt > 0) {
    const double toTargetKt = targetKt - a.indicatedAirspeedKt;
    a.indicatedAirspeedKt += std::clamp(toTargetKt, -decelerate, accelerate);
  }
  a.indicatedAirspeedKt = std::max(0.0, a.indicatedAirspeedKt - spoiler * seconds);

  // Ground track: true airspeed along the heading plus the wind (blowing from its direction).
  a.trueAirspeedKt = a.indicatedAirspeedKt * (1.0 + 0.02 * std::max(0.0, a.altitudeFt) / 1000.0);
  const double northKt = a.trueAirspeedKt * std::cos(a.headingDegTrue * kDegToRad) -
                         options_.windSpeedKt * std::cos(options_.windDirectionDegTrue * kDegToRad);
  const double eastKt = a.trueAirspeedKt * std::sin(a.headingDegTrue * kDegToRad) -
                        options_.windSpeedKt * std::sin(options_.windDirectionDegTrue * kDegToRad);
  a.groundSpeedKt = std::hypot(northKt, eastKt);
  const double trackDeg = std::atan2(eastKt, northKt) / kDegToRad;
  MoveAlong(a.latitude, a.longitude, trackDeg, a.groundSpeedKt * seconds / 3600.0);

  traffic_.Step(seconds, a.latitude, a.longitude);
}

void FlightModel::Publish() {
  const AircraftTruth& a = aircraft_;
  Put(kOffsetMagneticVariation, EncodeMagneticVariation(options_.magneticVariationDeg));
  Put(kOffsetGroundSpeed, static_cast<std::int32_t>(a.groundSpeedKt * kMetresPerSecondPerKnot * 65536.0));
  Put(kOffsetTrueAirspeed, static_cast<std::int32_t>(a.trueAirspeedKt * 128.0));
  Put(kOffsetIndicatedAirspeed, static_cast<std::int32_t>(a.indicatedAirspeedKt * 128.0));
  Put(kOffsetVerticalSpeed, static_cast<std::int32_t>(a.verticalSpeedFpm * 0.3048 / 60.0 * 256.0));
  Put(kOffsetLatitude, EncodeLatitude(a.latitude));
  Put(kOffsetLongitude, EncodeLongitude(a.longitude));
  Put(kOffsetAltitude, EncodeAltitude(a.altitudeFt));
  Put(kOffsetHeading, EncodeHeading(a.headingDegTrue));
  Put(kOffsetWindSpeed, static_cast<std::uint16_t>(std::clamp(options_.windSpeedKt, 0.0, 65535.0)));
  Put(kOffsetWindDirection, EncodeWindDirection(options_.windDirectionDegTrue));
  traffic_.Publish(std::span<std::byte>(offsets_).subspan(kOffsetTrafficTable, kTrafficTableBytes));
}

}  // namespace corvane::standin
