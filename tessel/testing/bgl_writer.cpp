// Builds scenery files record by record, so tests, benchmarks and the fuzzing corpus use real bytes.
#include "tessel/testing/bgl_writer.h"

#include <bit>
#include <fstream>
#include <stdexcept>

namespace tessel::testing {

BglBytes& BglBytes::U8(std::uint8_t value) {
  bytes_.push_back(static_cast<std::byte>(value));
  return *this;
}

BglBytes& BglBytes::U16(std::uint16_t value) {
  U8(static_cast<std::uint8_t>(value & 0xFF));
  return U8(static_cast<std::uint8_t>(value >> 8));
}

BglBytes& BglBytes::U32(std::uint32_t value) {
  U16(static_cast<std::uint16_t>(value & 0xFFFF));
  return U16(static_cast<std::uint16_t>(value >> 16));
}

BglBytes& BglBytes::I32(std::int32_t value) { return U32(std::bit_cast<std::uint32_t>(value)); }
BglBytes& BglBytes::F32(float value) { return U32(std::bit_cast<std::uint32_t>(value)); }

BglBytes& BglBytes::Zeros(std::size_t count) {
  bytes_.insert(bytes_.end(), count, std::byte{0});
  return *this;
}

BglBytes& BglBytes::Append(std::span<const std::byte> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

BglBytes& BglBytes::Text(std::string_view text) {
  for (char c : text) U8(static_cast<std::uint8_t>(c));
  return *this;
}

void BglBytes::PatchU32(std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes_.at(offset + i) = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
}

namespace {
// Header (id, size) then the body, the size covering both.
BglBytes Record(std::uint16_t id, const BglBytes& body) {
  BglBytes record;
  record.U16(id).U32(static_cast<std::uint32_t>(body.size() + kRecordHeaderBytes)).Append(body);
  return record;
}

BglBytes Children(std::span<const BglBytes> children) {
  BglBytes all;
  for (const BglBytes& child : children) all.Append(child);
  return all;
}
}  // namespace

BglBytes NameRecord(std::string_view name) { return Record(kRecordName, BglBytes().Text(name)); }

BglBytes RunwayRecord(const BglRunway& runway, std::span<const BglBytes> children) {
  BglBytes body;
  body.U16(0x0004);  // surface
  body.U8(runway.primaryNumber).U8(runway.primaryDesignator);
  body.U8(runway.secondaryNumber).U8(runway.secondaryDesignator);
  body.U32(0).U32(0);  // ILS idents
  body.U32(runway.longitudePacked).U32(runway.latitudePacked);
  body.I32(0);  // elevation
  body.F32(runway.lengthM).F32(30.0f);
  body.F32(runway.headingDegTrue);
  body.Append(Children(children));
  return Record(kRecordRunway, body);
}

BglBytes HelipadRecord(const BglHelipad& helipad) {
  BglBytes body;
  body.U16(0).U32(0);  // surface, flags and colour
  body.U32(helipad.longitudePacked).U32(helipad.latitudePacked);
  body.I32(0);
  body.F32(helipad.lengthM).F32(helipad.widthM).F32(helipad.headingDegTrue);
  return Record(kRecordHelipad, body);
}

BglBytes TaxiPointsRecord(std::span<const BglTaxiPoint> points) {
  BglBytes body;
  body.U16(static_cast<std::uint16_t>(points.size()));
  for (const BglTaxiPoint& point : points) {
    body.U8(point.type).U8(point.flags).U16(0).U32(point.longitudePacked).U32(point.latitudePacked);
  }
  return Record(kRecordTaxiPoints, body);
}

BglBytes ParkingRecord(std::span<const ParkingSpec> positions) {
  BglBytes body;
  body.U16(static_cast<std::uint16_t>(positions.size()));
  for (const ParkingSpec& parking : positions) {
    body.U32(static_cast<std::uint32_t>(parking.airlineCodes) << 24);
    body.Zeros(0x1C - 4);
    body.U32(parking.longitudePacked).U32(parking.latitudePacked);
    for (int i = 0; i < parking.airlineCodes; ++i) body.Text("ABC").U8(0);
  }
  return Record(kRecordParking, body);
}

BglBytes TaxiPathsRecord(std::span<const BglTaxiPath> paths) {
  BglBytes body;
  body.U16(static_cast<std::uint16_t>(paths.size()));
  for (const BglTaxiPath& path : paths) {
    body.U16(path.startPoint).U16(path.endPoint).U8(path.type).U8(0).U16(0);
    body.F32(20.0f).F32(0.0f).U32(0);
  }
  return Record(kRecordTaxiPaths, body);
}

BglBytes AirportRecord(const BglAirport& airport, std::span<const BglBytes> children) {
  BglBytes body;
  body.Zeros(0x0C - kRecordHeaderBytes);
  body.U32(airport.longitudePacked).U32(airport.latitudePacked).I32(airport.elevationMm);
  body.Zeros(0x24 - 0x18);
  body.F32(airport.variationDeg).U32(airport.identPacked);
  body.Zeros(kAirportFixedBytes - 0x2C);
  body.Append(Children(children));
  return Record(kRecordAirport, body);
}

BglBytes VorIlsRecord(const BglNavaid& navaid, std::span<const BglBytes> children) {
  BglBytes body;
  body.U8(navaid.type).U8(0);
  body.U32(navaid.longitudePacked).U32(navaid.latitudePacked).I32(0);
  body.U32(navaid.frequencyHz).F32(40000.0f).F32(navaid.variationDeg).U32(navaid.identPacked).U32(0);
  body.Append(Children(children));
  return Record(kRecordVorIls, body);
}

BglBytes LocalizerRecord(float headingDegTrue) {
  BglBytes body;
  body.U16(0).F32(headingDegTrue).F32(5.0f);
  return Record(kRecordLocalizer, body);
}

BglBytes GlideSlopeRecord() { return Record(kRecordGlideSlope, BglBytes().Zeros(28 - kRecordHeaderBytes)); }
BglBytes DmeRecord() { return Record(kRecordDme, BglBytes().Zeros(24 - kRecordHeaderBytes)); }

BglBytes NdbRecord(const BglNdb& ndb, std::string_view name) {
  BglBytes body;
  body.U16(0);  // type
  body.U32(ndb.frequency10Hz).U32(ndb.longitudePacked).U32(ndb.latitudePacked).I32(0);
  body.F32(20000.0f).F32(0.0f).U32(ndb.identPacked).U32(0);
  body.Append(NameRecord(name));
  return Record(kRecordNdb, body);
}

BglBytes OpaqueRecord(std::uint16_t id, std::size_t bodyBytes) { return Record(id, BglBytes().Zeros(bodyBytes)); }

BglFileBuilder& BglFileBuilder::Section(std::uint32_t type, std::vector<std::vector<BglBytes>> subsections) {
  sections_.push_back({type, std::move(subsections)});
  return *this;
}

std::vector<std::byte> BglFileBuilder::Build() const {
  // Offsets: header, section headers, then per section its subsection headers and their records.
  std::uint32_t offset = kFileHeaderBytes + kSectionHeaderBytes * static_cast<std::uint32_t>(sections_.size());
  BglBytes sectionHeaders;
  BglBytes tail;
  for (const SectionSpec& section : sections_) {
    const auto subsectionCount = static_cast<std::uint32_t>(section.subsections.size());
    const std::uint32_t firstSubsection = offset;
    std::uint32_t recordOffset = offset + kSubsectionHeaderBytes * subsectionCount;
    BglBytes headers;
    BglBytes records;
    for (const std::vector<BglBytes>& subsection : section.subsections) {
      BglBytes body;
      for (const BglBytes& record : subsection) body.Append(record);
      headers.U32(0).U32(static_cast<std::uint32_t>(subsection.size())).U32(recordOffset);
      headers.U32(static_cast<std::uint32_t>(body.size()));
      records.Append(body);
      recordOffset += static_cast<std::uint32_t>(body.size());
    }
    sectionHeaders.U32(section.type).U32(1).U32(subsectionCount).U32(firstSubsection);
    sectionHeaders.U32(subsectionCount * kSubsectionHeaderBytes);
    tail.Append(headers).Append(records);
    offset = recordOffset;
  }
  BglBytes file;
  file.U32(0x19920201).U32(kFileHeaderBytes).Zeros(0x14 - 8);
  file.U32(static_cast<std::uint32_t>(sections_.size()));
  file.Zeros(kFileHeaderBytes - 0x18);
  file.Append(sectionHeaders).Append(tail);
  return file.bytes();
}

void BglFileBuilder::WriteTo(const std::filesystem::path& path) const { WriteBytes(path, Build()); }

void WriteBytes(const std::filesystem::path& path, std::span<const std::byte> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace tessel::testing
