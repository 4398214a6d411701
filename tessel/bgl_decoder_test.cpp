// Decoding scenery files built record by record, whole and damaged.
#include "tessel/bgl_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tessel/packed_values.h"
#include "tessel/testing/bgl_writer.h"

namespace tessel {
namespace {
using namespace tessel::testing;

struct Recorder final : BglVisitor {
  std::vector<std::string> events;
  std::vector<BglAirport> airports;
  std::vector<BglRunway> runways;
  std::vector<BglHelipad> helipads;
  std::vector<std::vector<BglTaxiPoint>> taxiPointLists;
  std::vector<std::vector<BglParking>> parkingLists;
  std::vector<std::vector<BglTaxiPath>> taxiPathLists;
  std::vector<BglNavaid> navaids;
  std::vector<BglNdb> ndbs;
  std::vector<std::string> damage;

  void OnAirport(const BglAirport& a) override { airports.push_back(a), events.push_back("airport"); }
  void OnAirportName(const BglAirport& a, std::string_view name) override {
    events.push_back("name " + DecodePackedIdent(a.identPacked) + " " + std::string(name));
  }
  void OnRunway(const BglAirport&, const BglRunway& r) override { runways.push_back(r), events.push_back("runway"); }
  void OnHelipad(const BglAirport&, const BglHelipad& h) override {
    helipads.push_back(h), events.push_back("helipad");
  }
  void OnTaxiPoints(const BglAirport&, std::span<const BglTaxiPoint> p) override {
    taxiPointLists.emplace_back(p.begin(), p.end());
    events.push_back("points");
  }
  void OnParking(const BglAirport&, std::span<const BglParking> p) override {
    parkingLists.emplace_back(p.begin(), p.end());
    events.push_back("parking");
  }
  void OnTaxiPaths(const BglAirport&, std::span<const BglTaxiPath> p) override {
    taxiPathLists.emplace_back(p.begin(), p.end());
    events.push_back("paths");
  }
  void OnNavaidName(const BglNavaid& n, std::string_view name) override {
    navaids.push_back(n);
    events.push_back("navaid " + DecodePackedIdent(n.identPacked) + " " + std::string(name));
  }
  void OnNdb(const BglNdb& n, std::string_view name) override {
    ndbs.push_back(n);
    events.push_back("ndb " + DecodePackedIdent(n.identPacked) + " " + std::string(name));
  }
  void OnDamage(std::uint64_t offset, const std::string& reason) override {
    damage.push_back(std::to_string(offset) + ": " + reason);
  }
};

Recorder Decode(const std::vector<std::byte>& bytes) {
  MemoryByteSource source(bytes);
  Recorder recorder;
  DecodeBglFile(source, recorder);
  return recorder;
}

BglAirport Airport(const std::string& ident) {
  BglAirport airport;
  airport.identPacked = EncodePackedIdent(ident);
  airport.latitudePacked = EncodePackedLatitude(47.5);
  airport.longitudePacked = EncodePackedLongitude(-122.25);
  airport.elevationMm = 130000;
  airport.variationDeg = -17.5f;
  return airport;
}

TEST(BglDecoder, DecodesEveryRecordKindWithItsFields) {
  BglRunway runway{9, 1, 27, 2, EncodePackedLongitude(-122.3), EncodePackedLatitude(47.4), 3000.0f, 90.5f};
  BglHelipad helipad{EncodePackedLongitude(1.0), EncodePackedLatitude(2.0), 20.0f, 10.0f, 45.0f};
  const std::vector<BglTaxiPoint> points = {{1, 2, 100, 200}, {3, 4, 300, 400}};
  const std::vector<ParkingSpec> parking = {{11, 12, 0}, {13, 14, 3}, {15, 16, 1}};
  const std::vector<BglTaxiPath> paths = {{1, 0x0FFF, 0x61}, {0x1002, 0xF003, 4}};
  BglNavaid ils;
  ils.type = kNavaidTypeIls;
  ils.identPacked = EncodePackedIdent("ISEA");
  ils.frequencyHz = 110300000;
  ils.variationDeg = 17.0f;
  BglNdb ndb{35000, 5, 6, EncodePackedIdent("AB")};

  const std::vector<BglBytes> airportChildren = {RunwayRecord(runway, std::vector<BglBytes>{OpaqueRecord(0x00CE, 10)}),
                                                 HelipadRecord(helipad),
                                                 TaxiPointsRecord(points),
                                                 ParkingRecord(parking),
                                                 TaxiPathsRecord(paths),
                                                 OpaqueRecord(0x0099, 3),
                                                 NameRecord("Seattle \x01Tacoma\x7F")};
  const std::vector<BglBytes> ilsChildren = {LocalizerRecord(163.5f), GlideSlopeRecord(), DmeRecord(),
                                             NameRecord("ILS 16R")};
  const auto file = BglFileBuilder()
                        .Section(0x65, {{OpaqueRecord(0x003C, 80)}})  // another section type is skipped
                        .Section(kSectionAirport, {{AirportRecord(Airport("KSEA"), airportChildren)}})
                        .Section(kSectionVorIls, {{VorIlsRecord(ils, ilsChildren)}})
                        .Section(kSectionNdb, {{NdbRecord(ndb, "ALPHA BRAVO")}})
                        .Build();
  const Recorder r = Decode(file);

  EXPECT_TRUE(r.damage.empty()) << r.damage.front();
  const std::vector<std::string> expected = {"airport",
                                             "runway",
                                             "helipad",
                                             "points",
                                             "parking",
                                             "paths",
                                             "name KSEA Seattle Tacoma",
                                             "navaid ISEA ILS 16R",
                                             "ndb AB ALPHA BRAVO"};
  EXPECT_EQ(r.events, expected);
  ASSERT_EQ(r.airports.size(), 1u);
  EXPECT_EQ(r.airports[0].elevationMm, 130000);
  EXPECT_FLOAT_EQ(r.airports[0].variationDeg, -17.5f);
  EXPECT_EQ(r.airports[0].latitudePacked, EncodePackedLatitude(47.5));
  ASSERT_EQ(r.runways.size(), 1u);
  EXPECT_EQ(r.runways[0].primaryNumber, 9);
  EXPECT_EQ(r.runways[0].primaryDesignator, 1);
  EXPECT_EQ(r.runways[0].secondaryNumber, 27);
  EXPECT_EQ(r.runways[0].secondaryDesignator, 2);
  EXPECT_EQ(r.runways[0].longitudePacked, runway.longitudePacked);
  EXPECT_FLOAT_EQ(r.runways[0].lengthM, 3000.0f);
  EXPECT_FLOAT_EQ(r.runways[0].headingDegTrue, 90.5f);
  ASSERT_EQ(r.helipads.size(), 1u);
  EXPECT_FLOAT_EQ(r.helipads[0].widthM, 10.0f);
  EXPECT_FLOAT_EQ(r.helipads[0].headingDegTrue, 45.0f);
  ASSERT_EQ(r.taxiPointLists.at(0).size(), 2u);
  EXPECT_EQ(r.taxiPointLists[0][1].type, 3);
  EXPECT_EQ(r.taxiPointLists[0][1].latitudePacked, 400u);
  // Entries with airline codes are longer; the positions after them are still found.
  ASSERT_EQ(r.parkingLists.at(0).size(), 3u);
  EXPECT_EQ(r.parkingLists[0][1].longitudePacked, 13u);
  EXPECT_EQ(r.parkingLists[0][2].latitudePacked, 16u);
  ASSERT_EQ(r.taxiPathLists.at(0).size(), 2u);
  EXPECT_EQ(r.taxiPathLists[0][0].endPoint, 0x0FFF);
  EXPECT_EQ(r.taxiPathLists[0][1].startPoint, 2);  // low 12 bits only
  EXPECT_EQ(r.taxiPathLists[0][1].endPoint, 3);
  EXPECT_EQ(r.taxiPathLists[0][1].type, 4);
  ASSERT_EQ(r.navaids.size(), 1u);
  EXPECT_EQ(r.navaids[0].type, kNavaidTypeIls);
  EXPECT_EQ(r.navaids[0].frequencyHz, 110300000u);
  EXPECT_FLOAT_EQ(r.navaids[0].localizerHeadingDegTrue, 163.5f);
  EXPECT_FLOAT_EQ(r.navaids[0].variationDeg, 17.0f);
  ASSERT_EQ(r.ndbs.size(), 1u);
  EXPECT_EQ(r.ndbs[0].frequency10Hz, 35000u);
  EXPECT_EQ(r.ndbs[0].latitudePacked, 6u);
}

TEST(BglDecoder, LocalizerHeadingBelongsToItsOwnNavaid) {
  BglNavaid first;
  first.type = kNavaidTypeIls;
  first.identPacked = EncodePackedIdent("IAAA");
  BglNavaid second = first;
  second.identPacked = EncodePackedIdent("IBBB");
  const auto file = BglFileBuilder()
                        .Section(kSectionVorIls,
                                 {{VorIlsRecord(first, std::vector<BglBytes>{LocalizerRecord(90.0f), NameRecord("A")}),
                                   VorIlsRecord(second, std::vector<BglBytes>{NameRecord("B")})}})
                        .Build();
  const Recorder r = Decode(file);
  ASSERT_EQ(r.navaids.size(), 2u);
  EXPECT_FLOAT_EQ(r.navaids[0].localizerHeadingDegTrue, 90.0f);
  EXPECT_FLOAT_EQ(r.navaids[1].localizerHeadingDegTrue, 0.0f);
}

TEST(BglDecoder, RecordOfSizeZeroEndsItsSubsectionOnly) {
  BglBytes zero;
  zero.U16(kRecordAirport).U32(0);
  const auto file =
      BglFileBuilder()
          .Section(kSectionAirport, {{AirportRecord(Airport("AAAA"), std::vector<BglBytes>{NameRecord("A")}), zero,
                                      AirportRecord(Airport("BBBB"), std::vector<BglBytes>{NameRecord("B")})},
                                     {AirportRecord(Airport("CCCC"), std::vector<BglBytes>{NameRecord("C")})}})
          .Build();
  const Recorder r = Decode(file);
  EXPECT_TRUE(r.damage.empty());
  const std::vector<std::string> expected = {"airport", "name AAAA A", "airport", "name CCCC C"};
  EXPECT_EQ(r.events, expected);
}

// One good airport in its own section after the damaged one shows the walk goes on.
std::vector<std::byte> FileWithDamagedFirstSection(const BglBytes& damagedRecord, std::uint32_t recordCount = 1) {
  auto good = AirportRecord(Airport("GOOD"), std::vector<BglBytes>{NameRecord("Good")});
  auto bytes = BglFileBuilder().Section(kSectionAirport, {{damagedRecord}}).Section(kSectionAirport, {{good}}).Build();
  // The first subsection header stands right after the two section headers.
  const std::size_t countOffset = kFileHeaderBytes + 2 * kSectionHeaderBytes + 4;
  for (int i = 0; i < 4; ++i) bytes[countOffset + i] = static_cast<std::byte>((recordCount >> (8 * i)) & 0xFF);
  return bytes;
}

TEST(BglDecoder, DamagedRecordsAreReportedAndTheNextSectionIsRead) {
  struct Case {
    const char* name;
    BglBytes record;
    std::uint32_t recordCount;
  };
  BglBytes sizePastEnd;
  sizePastEnd.U16(kRecordAirport).U32(0x7FFFFFF0).Zeros(60);
  BglBytes sizeBelowHeader;
  sizeBelowHeader.U16(kRecordAirport).U32(3).Zeros(60);
  BglBytes shortAirport;
  shortAirport.U16(kRecordAirport).U32(20).Zeros(14);
  BglBytes childPastParent = AirportRecord(Airport("BAD1"), std::vector<BglBytes>{NameRecord("xx")});
  childPastParent.PatchU32(kAirportFixedBytes + 2, 5000);  // the name record claims 5000 bytes
  BglBytes childSizeZero = AirportRecord(Airport("BAD2"), std::vector<BglBytes>{NameRecord("xx")});
  childSizeZero.PatchU32(kAirportFixedBytes + 2, 0);
  const std::vector<BglTaxiPoint> points(2);
  BglBytes countTooLarge = AirportRecord(Airport("BAD3"), std::vector<BglBytes>{TaxiPointsRecord(points)});
  countTooLarge.PatchU32(kAirportFixedBytes + 6, 0xFFFF);  // count 65535 (and two bytes of padding)
  const Case cases[] = {
      {"size past the end of the file", sizePastEnd, 1},
      {"size below the header", sizeBelowHeader, 1},
      {"airport shorter than its fixed part", shortAirport, 1},
      {"sub-record past its airport", childPastParent, 1},
      {"sub-record of size 0", childSizeZero, 1},
      {"list count beyond its record", countTooLarge, 1},
      {"record count beyond the file", AirportRecord(Airport("OKAY"), std::vector<BglBytes>{}), 1000000},
  };
  for (const Case& c : cases) {
    const Recorder r = Decode(FileWithDamagedFirstSection(c.record, c.recordCount));
    EXPECT_FALSE(r.damage.empty()) << c.name;
    EXPECT_EQ(r.events.back(), "name GOOD Good") << c.name;
  }
}

TEST(BglDecoder, TruncatedFilesAndHugeCountsEndWithoutReadingOutside) {
  const auto whole =
      BglFileBuilder()
          .Section(kSectionAirport, {{AirportRecord(Airport("KSEA"), std::vector<BglBytes>{NameRecord("Seattle")})}})
          .Build();
  // Every length from empty to one byte short: no read outside, no crash, damage reported.
  for (std::size_t length = 0; length < whole.size(); ++length) {
    const std::vector<std::byte> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    const Recorder r = Decode(cut);
    EXPECT_FALSE(r.damage.empty()) << "length " << length;
  }
  auto manySections = whole;
  manySections[0x14] = std::byte{0xFF};
  manySections[0x17] = std::byte{0xFF};
  EXPECT_FALSE(Decode(manySections).damage.empty());
}

TEST(BglDecoder, SubsectionsThatOverlapEndTheWalkInsteadOfLoopingForLong) {
  // 4000 subsection headers all pointing at the same 500 records.
  std::vector<BglBytes> records(500, OpaqueRecord(0x0099, 100));
  auto bytes = BglFileBuilder().Section(kSectionAirport, {records}).Build();
  const std::size_t sectionHeader = kFileHeaderBytes;
  BglBytes patched;
  patched.Append(bytes);
  patched.PatchU32(sectionHeader + 8, 4000);  // subsections claimed: headers overlap the records
  const Recorder r = Decode(patched.bytes());
  ASSERT_FALSE(r.damage.empty());
}

TEST(BglDecoder, NameKeepsOnlyCodes32To122) {
  std::vector<std::byte> bytes;
  for (int c : {31, 32, 65, 122, 123, 0, 200, 126, 97}) bytes.push_back(static_cast<std::byte>(c));
  EXPECT_EQ(NameCharacters(bytes), " Aza");
}

}  // namespace
}  // namespace tessel
