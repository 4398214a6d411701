// Builds scenery files record by record, so tests, benchmarks and the fuzzing corpus use real bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "tessel/bgl_records.h"

namespace tessel::testing {

// One record (or structure) as little-endian bytes.
class BglBytes {
 public:
  BglBytes& U8(std::uint8_t value);
  BglBytes& U16(std::uint16_t value);
  BglBytes& U32(std::uint32_t value);
  BglBytes& I32(std::int32_t value);
  BglBytes& F32(float value);
  BglBytes& Zeros(std::size_t count);
  BglBytes& Append(std::span<const std::byte> bytes);
  BglBytes& Append(const BglBytes& other) { return Append(other.bytes()); }
  BglBytes& Text(std::string_view text);
  // Overwrites a 32-bit value already written, for tests that damage a field.
  void PatchU32(std::size_t offset, std::uint32_t value);

  const std::vector<std::byte>& bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }

 private:
  std::vector<std::byte> bytes_;
};

struct ParkingSpec {
  std::uint32_t longitudePacked = 0;
  std::uint32_t latitudePacked = 0;
  std::uint8_t airlineCodes = 0;
};

// Each record starts with its id and its size including the 6-byte header.
BglBytes NameRecord(std::string_view name);
BglBytes RunwayRecord(const BglRunway& runway, std::span<const BglBytes> children = {});
BglBytes HelipadRecord(const BglHelipad& helipad);
BglBytes TaxiPointsRecord(std::span<const BglTaxiPoint> points);
BglBytes ParkingRecord(std::span<const ParkingSpec> positions);
BglBytes TaxiPathsRecord(std::span<const BglTaxiPath> paths);
BglBytes AirportRecord(const BglAirport& airport, std::span<const BglBytes> children);
BglBytes VorIlsRecord(const BglNavaid& navaid, std::span<const BglBytes> children);
BglBytes LocalizerRecord(float headingDegTrue);
BglBytes GlideSlopeRecord();
BglBytes DmeRecord();
BglBytes NdbRecord(const BglNdb& ndb, std::string_view name);
// Any record id with a body of the given size, for records the decoder skips.
BglBytes OpaqueRecord(std::uint16_t id, std::size_t bodyBytes);

// A whole file: header, section headers, subsection headers, then the records.
class BglFileBuilder {
 public:
  // Adds one section; each inner vector is one subsection's records.
  BglFileBuilder& Section(std::uint32_t type, std::vector<std::vector<BglBytes>> subsections);
  std::vector<std::byte> Build() const;
  void WriteTo(const std::filesystem::path& path) const;

 private:
  struct SectionSpec {
    std::uint32_t type;
    std::vector<std::vector<BglBytes>> subsections;
  };
  std::vector<SectionSpec> sections_;
};

void WriteBytes(const std::filesystem::path& path, std::span<const std::byte> bytes);

}  // namespace tessel::testing
