// Walks one scenery file's sections, subsections and records and hands each decoded record on.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "tessel/bgl_records.h"
#include "tessel/byte_source.h"

namespace tessel {

// Receives the records of one file in file order. Names carry only the characters 32 to 122.
class BglVisitor {
 public:
  virtual ~BglVisitor() = default;
  virtual void OnAirport(const BglAirport&) {}
  virtual void OnAirportName(const BglAirport&, std::string_view) {}
  virtual void OnRunway(const BglAirport&, const BglRunway&) {}
  virtual void OnHelipad(const BglAirport&, const BglHelipad&) {}
  virtual void OnTaxiPoints(const BglAirport&, std::span<const BglTaxiPoint>) {}
  virtual void OnParking(const BglAirport&, std::span<const BglParking>) {}
  virtual void OnTaxiPaths(const BglAirport&, std::span<const BglTaxiPath>) {}
  virtual void OnNavaidName(const BglNavaid&, std::string_view) {}
  virtual void OnNdb(const BglNdb&, std::string_view) {}
  // A structure that does not fit the file or its enclosing record; offset is from the file start.
  virtual void OnDamage(std::uint64_t offset, const std::string& reason) = 0;
};

// Decodes every airport, VOR/ILS and NDB record of the source. Never reads outside the source;
// a damaged structure is reported and the walk goes on after it where its bounds are still known.
void DecodeBglFile(ByteSource& source, BglVisitor& visitor);

// Offsets and record ids as reports show them: "0x" and capital hex digits.
std::string HexText(std::uint64_t value);

// Keeps the characters with codes 32 to 122, in order.
std::string NameCharacters(std::span<const std::byte> bytes);

}  // namespace tessel
