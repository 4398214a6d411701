// Offset encodings: scale factors of the simulator's fixed-point fields.
#include "corvane/simlink/offset_codec.h"

#include <cmath>
#include <limits>

namespace corvane::simlink {
namespace {

constexpr double kTwoPow32 = 4294967296.0;
constexpr double kTwoPow64 = 18446744073709551616.0;
constexpr double kLatitudeUnitsPerDegree = 10001750.0 * 65536.0 * 65536.0 / 90.0;
constexpr double kFeetPerMetre = 3.28084;
constexpr float kMetresPerFoot = 0.3048f;  // single precision, as the autopilot altitude has always used
constexpr double kKnotsPerMetrePerSecond = 1.9438444;

std::int64_t Saturate(double value, double low, double high) {
  if (std::isnan(value)) return 0;
  if (value <= low) return static_cast<std::int64_t>(low);
  if (value >= high) return static_cast<std::int64_t>(high);
  return static_cast<std::int64_t>(value);
}

// Truncated, then reduced modulo 2^bits (bits <= 32): angles wrap instead of overflowing.
std::uint64_t WrapAngleUnits(double units, int bits) {
  const double modulus = std::ldexp(1.0, bits);
  double reduced = std::fmod(std::trunc(units), modulus);
  if (std::isnan(reduced)) return 0;
  if (reduced < 0) reduced += modulus;
  return static_cast<std::uint64_t>(reduced) & ((std::uint64_t{1} << bits) - 1);
}

std::optional<int> Digit(std::string_view text, std::size_t index) {
  if (index >= text.size() || text[index] < '0' || text[index] > '9') return std::nullopt;
  return text[index] - '0';
}

}  // namespace

std::int64_t TruncateToInt64(double value) {
  // 2^63 itself is not representable; the largest double below it is.
  return Saturate(value, -9223372036854775808.0, 9223372036854774784.0);
}

float DecodeMagneticVariation(std::uint16_t raw) {
  double degrees = raw * 360.0 / 65536.0;
  if (degrees > 180.0) degrees -= 360.0;
  return static_cast<float>(degrees);
}

std::int32_t DecodeGroundSpeed(std::int32_t raw) {
  const std::int32_t metresPerSecond = raw / 65536;
  return static_cast<std::int32_t>(metresPerSecond * kKnotsPerMetrePerSecond);
}

double DecodeLatitude(std::int64_t raw) { return static_cast<double>(raw) * 90.0 / (10001750.0 * 65536.0 * 65536.0); }

double DecodeLongitude(std::int64_t raw) { return static_cast<double>(raw) * 360.0 / kTwoPow64; }

double DecodeAltitude(std::int64_t raw) { return static_cast<double>(raw) / kTwoPow32 * kFeetPerMetre; }

float DecodeHeading(std::uint32_t raw) { return static_cast<float>(raw * 360.0 / kTwoPow32); }

std::int32_t DecodeWindDirection(std::uint16_t raw) { return static_cast<std::int32_t>(raw * 360.0 / 65536.0); }

std::int32_t DecodeApHeading(std::uint16_t raw) { return static_cast<std::int32_t>((std::uint32_t{raw} * 360) >> 16); }

std::int32_t DecodeApAltitude(std::int32_t raw) { return static_cast<std::int32_t>(raw * kFeetPerMetre / 65536.0); }

float DecodeApVerticalSpeed(std::uint16_t raw) {
  std::int32_t value = raw;
  if (value > 32767) value -= 65536;
  return static_cast<float>(value);
}

std::int32_t DecodeIndicatedAirspeed(std::int32_t raw) { return raw / 128; }

std::int32_t MagneticWindDirection(std::int32_t windDirectionDegTrue, float magneticVariationDeg) {
  std::int32_t direction =
      static_cast<std::int32_t>(windDirectionDegTrue - static_cast<double>(magneticVariationDeg) + 0.5);
  if (direction > 360) direction -= 360;
  if (direction < 0) direction += 360;
  return direction;
}

std::uint16_t EncodeApHeading(double headingDeg) {
  return static_cast<std::uint16_t>(WrapAngleUnits(headingDeg * 65536.0 / 360.0, 16));
}

std::int32_t EncodeApAltitude(double altitudeFt) {
  return static_cast<std::int32_t>(Saturate(altitudeFt * static_cast<double>(kMetresPerFoot) * 65536.0,
                                            std::numeric_limits<std::int32_t>::min(),
                                            std::numeric_limits<std::int32_t>::max()));
}

std::int16_t EncodeApVerticalSpeed(double verticalSpeedFpm) {
  return static_cast<std::int16_t>(Saturate(verticalSpeedFpm, -32768.0, 32767.0));
}

std::uint16_t EncodeApAirspeed(double airspeedKt) {
  return static_cast<std::uint16_t>(Saturate(airspeedKt, 0.0, 65535.0));
}

std::uint32_t EncodeSpoilers(std::int32_t knotsOverTarget) {
  return static_cast<std::uint16_t>(819 * (std::int64_t{knotsOverTarget} - 10));
}

std::int64_t EncodeLatitude(double latitude) {
  if (latitude > 90.0) latitude = 90.0;
  if (latitude < -90.0) latitude = -90.0;
  return TruncateToInt64(latitude * kLatitudeUnitsPerDegree);
}

std::int64_t EncodeLongitude(double longitude) {
  // 180 east would need 2^63; it is the same meridian as 180 west. Values inside the range are left
  // untouched so that they keep every bit of precision.
  if (!(longitude >= -180.0 && longitude < 180.0)) {
    longitude = std::fmod(longitude + 180.0, 360.0);
    if (longitude < 0) longitude += 360.0;
    longitude -= 180.0;
  }
  return TruncateToInt64(longitude * kTwoPow64 / 360.0);
}

std::int64_t EncodeAltitude(double altitudeFt) { return TruncateToInt64(altitudeFt * 0.3048 * kTwoPow32); }

std::uint32_t EncodeHeading(double headingDegTrue) {
  return static_cast<std::uint32_t>(WrapAngleUnits(headingDegTrue * kTwoPow32 / 360.0, 32));
}

std::uint16_t EncodeMagneticVariation(double variationDeg) {
  return static_cast<std::uint16_t>(WrapAngleUnits(variationDeg * 65536.0 / 360.0, 16));
}

std::uint16_t EncodeWindDirection(double directionDegTrue) {
  return static_cast<std::uint16_t>(WrapAngleUnits(directionDegTrue * 65536.0 / 360.0, 16));
}

std::optional<std::uint16_t> EncodeNavFrequency(std::string_view frequencyText) {
  const auto d2 = Digit(frequencyText, 1), d3 = Digit(frequencyText, 2);
  const auto d5 = Digit(frequencyText, 4), d6 = Digit(frequencyText, 5);
  if (!d2 || !d3 || !d5 || !d6) return std::nullopt;
  return static_cast<std::uint16_t>(*d2 * 4096 + *d3 * 256 + *d5 * 16 + *d6);
}

std::optional<std::uint16_t> EncodeAdfFrequency(std::string_view frequencyText) {
  const auto d1 = Digit(frequencyText, 0), d2 = Digit(frequencyText, 1), d3 = Digit(frequencyText, 2);
  if (!d1 || !d2 || !d3) return std::nullopt;
  return static_cast<std::uint16_t>(*d1 * 256 + *d2 * 16 + *d3);
}

std::optional<std::uint16_t> IlsCourse(std::string_view ilsText) {
  if (ilsText.size() < 10) return std::nullopt;
  int course = 0;
  bool anyDigit = false;
  for (char c : ilsText.substr(7, 3)) {
    if (c == ' ' && !anyDigit) continue;
    if (c < '0' || c > '9') return std::nullopt;
    course = course * 10 + (c - '0');
    anyDigit = true;
  }
  if (!anyDigit) return std::nullopt;
  return static_cast<std::uint16_t>(course);
}

}  // namespace corvane::simlink
