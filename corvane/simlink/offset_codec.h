// Conversions between the simulator's raw offset values and engineering units, both directions.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvane::simlink {

// Offsets of the aircraft state, the autopilot, the radios and the traffic table.
inline constexpr std::uint32_t kOffsetMagneticVariation = 0x02A0;
inline constexpr std::uint32_t kOffsetGroundSpeed = 0x02B4;
inline constexpr std::uint32_t kOffsetTrueAirspeed = 0x02B8;
inline constexpr std::uint32_t kOffsetIndicatedAirspeed = 0x02BC;
inline constexpr std::uint32_t kOffsetVerticalSpeed = 0x02C8;
inline constexpr std::uint32_t kOffsetAdfFrequency = 0x034C;
inline constexpr std::uint32_t kOffsetNav1Frequency = 0x0350;
inline constexpr std::uint32_t kOffsetNav2Frequency = 0x0352;
inline constexpr std::uint32_t kOffsetLatitude = 0x0560;
inline constexpr std::uint32_t kOffsetLongitude = 0x0568;
inline constexpr std::uint32_t kOffsetAltitude = 0x0570;
inline constexpr std::uint32_t kOffsetHeading = 0x0580;
inline constexpr std::uint32_t kOffsetApHeading = 0x07CC;
inline constexpr std::uint32_t kOffsetApAltitude = 0x07D4;
inline constexpr std::uint32_t kOffsetApAirspeed = 0x07E2;
inline constexpr std::uint32_t kOffsetVsHold = 0x07EC;
inline constexpr std::uint32_t kOffsetApVerticalSpeed = 0x07F2;
inline constexpr std::uint32_t kOffsetSpoilers = 0x0BD0;
inline constexpr std::uint32_t kOffsetNav1Course = 0x0C4E;
inline constexpr std::uint32_t kOffsetWindSpeed = 0x0E90;
inline constexpr std::uint32_t kOffsetWindDirection = 0x0E92;
inline constexpr std::uint32_t kOffsetTrafficTable = 0xF080;

inline constexpr int kTrafficSlots = 96;
inline constexpr int kTrafficSlotBytes = 40;
inline constexpr int kTrafficTableBytes = kTrafficSlots * kTrafficSlotBytes;
inline constexpr int kTrafficCallsignByte = 22;
inline constexpr int kTrafficCallsignBytes = 7;

// Reading: the raw value as the offset holds it, widened where the offset is narrower.
float DecodeMagneticVariation(std::uint16_t raw);
std::int32_t DecodeGroundSpeed(std::int32_t raw);
double DecodeLatitude(std::int64_t raw);
double DecodeLongitude(std::int64_t raw);
double DecodeAltitude(std::int64_t raw);
float DecodeHeading(std::uint32_t raw);
std::int32_t DecodeWindDirection(std::uint16_t raw);
std::int32_t DecodeApHeading(std::uint16_t raw);
std::int32_t DecodeApAltitude(std::int32_t raw);
float DecodeApVerticalSpeed(std::uint16_t raw);
std::int32_t DecodeIndicatedAirspeed(std::int32_t raw);
// Wind direction true minus variation, rounded half up and brought into 0 … 360.
std::int32_t MagneticWindDirection(std::int32_t windDirectionDegTrue, float magneticVariationDeg);

// Writing. Values out of the field's range wrap where the field is an angle and saturate otherwise.
std::uint16_t EncodeApHeading(double headingDeg);
std::int32_t EncodeApAltitude(double altitudeFt);
std::int16_t EncodeApVerticalSpeed(double verticalSpeedFpm);
std::uint16_t EncodeApAirspeed(double airspeedKt);
std::uint32_t EncodeSpoilers(std::int32_t knotsOverTarget);
std::int64_t EncodeLatitude(double latitude);
std::int64_t EncodeLongitude(double longitude);
std::int64_t EncodeAltitude(double altitudeFt);
std::uint32_t EncodeHeading(double headingDegTrue);
std::uint16_t EncodeMagneticVariation(double variationDeg);
std::uint16_t EncodeWindDirection(double directionDegTrue);

// Radio texts from the navigation data. Empty when the text does not hold the digits the field needs.
// "110.30" → 0x1030: the four digits after the leading 1 as BCD nibbles.
std::optional<std::uint16_t> EncodeNavFrequency(std::string_view frequencyText);
// "352" → 0x0352: the first three digits as BCD nibbles.
std::optional<std::uint16_t> EncodeAdfFrequency(std::string_view frequencyText);
// The course in characters 8 to 10 of an ILS frequency text ("109.50 274 -2").
std::optional<std::uint16_t> IlsCourse(std::string_view ilsText);

// Saturating truncation toward zero; NaN gives 0.
std::int64_t TruncateToInt64(double value);

}  // namespace corvane::simlink
