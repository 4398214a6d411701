// The scenery-file records the compiler decodes, with their ids and field layouts.
#pragma once

#include <cstdint>

namespace tessel {

// Section types walked; every other section is skipped.
inline constexpr std::uint32_t kSectionAirport = 3;
inline constexpr std::uint32_t kSectionVorIls = 0x13;
inline constexpr std::uint32_t kSectionNdb = 0x17;

// Record ids.
inline constexpr std::uint16_t kRecordAirport = 0x003C;
inline constexpr std::uint16_t kRecordName = 0x0019;
inline constexpr std::uint16_t kRecordRunway = 0x0004;
inline constexpr std::uint16_t kRecordHelipad = 0x0026;
inline constexpr std::uint16_t kRecordTaxiPoints = 0x001A;
inline constexpr std::uint16_t kRecordParking = 0x001B;
inline constexpr std::uint16_t kRecordTaxiPaths = 0x001C;
inline constexpr std::uint16_t kRecordVorIls = 0x0013;
inline constexpr std::uint16_t kRecordLocalizer = 0x0014;
inline constexpr std::uint16_t kRecordGlideSlope = 0x0015;
inline constexpr std::uint16_t kRecordDme = 0x0016;
inline constexpr std::uint16_t kRecordNdb = 0x0017;

// Structure sizes in bytes.
inline constexpr std::uint32_t kFileHeaderBytes = 56;
inline constexpr std::uint32_t kSectionHeaderBytes = 20;
inline constexpr std::uint32_t kSubsectionHeaderBytes = 16;
inline constexpr std::uint32_t kRecordHeaderBytes = 6;
inline constexpr std::uint32_t kAirportFixedBytes = 56;
inline constexpr std::uint32_t kRunwayFixedBytes = 0x2C;
inline constexpr std::uint32_t kHelipadFixedBytes = 0x24;
inline constexpr std::uint32_t kListHeaderBytes = 8;
inline constexpr std::uint32_t kTaxiPointBytes = 12;
inline constexpr std::uint32_t kParkingFixedBytes = 36;
inline constexpr std::uint32_t kTaxiPathBytes = 20;
inline constexpr std::uint32_t kVorIlsFixedBytes = 40;
inline constexpr std::uint32_t kLocalizerBytes = 16;
inline constexpr std::uint32_t kNdbFixedBytes = 40;

// The ILS type value of a VOR/ILS record; every other value is a VOR.
inline constexpr std::uint8_t kNavaidTypeIls = 4;

struct BglAirport {
  std::uint32_t longitudePacked = 0;
  std::uint32_t latitudePacked = 0;
  std::int32_t elevationMm = 0;
  float variationDeg = 0;
  std::uint32_t identPacked = 0;
};

struct BglRunway {
  std::uint8_t primaryNumber = 0;
  std::uint8_t primaryDesignator = 0;
  std::uint8_t secondaryNumber = 0;
  std::uint8_t secondaryDesignator = 0;
  std::uint32_t longitudePacked = 0;  // runway centre
  std::uint32_t latitudePacked = 0;
  float lengthM = 0;
  float headingDegTrue = 0;
};

struct BglHelipad {
  std::uint32_t longitudePacked = 0;
  std::uint32_t latitudePacked = 0;
  float lengthM = 0;
  float widthM = 0;
  float headingDegTrue = 0;
};

struct BglTaxiPoint {
  std::uint8_t type = 0;
  std::uint8_t flags = 0;
  std::uint32_t longitudePacked = 0;
  std::uint32_t latitudePacked = 0;
};

struct BglParking {
  std::uint32_t longitudePacked = 0;
  std::uint32_t latitudePacked = 0;
};

struct BglTaxiPath {
  std::uint16_t startPoint = 0;  // low 12 bits of the stored 16
  std::uint16_t endPoint = 0;
  std::uint8_t type = 0;
};

struct BglNavaid {
  std::uint8_t type = 0;
  std::uint32_t longitudePacked = 0;
  std::uint32_t latitudePacked = 0;
  std::uint32_t frequencyHz = 0;
  float variationDeg = 0;
  std::uint32_t identPacked = 0;
  float localizerHeadingDegTrue = 0;  // 0 until a localizer record of this navaid is met
};

struct BglNdb {
  std::uint32_t frequency10Hz = 0;
  std::uint32_t longitudePacked = 0;
  std::uint32_t latitudePacked = 0;
  std::uint32_t identPacked = 0;
};

}  // namespace tessel
