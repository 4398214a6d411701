// Writes the fuzzing seed corpus: small scenery files with every record kind the decoder reads.
#include <cstdio>
#include <filesystem>
#include <vector>

#include "tessel/packed_values.h"
#include "tessel/testing/bgl_writer.h"

using namespace tessel;
using namespace tessel::testing;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tessel_bgl_fuzz_seeds FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);

  BglAirport airport;
  airport.identPacked = EncodePackedIdent("KSEA");
  airport.latitudePacked = EncodePackedLatitude(47.449);
  airport.longitudePacked = EncodePackedLongitude(-122.309);
  airport.elevationMm = 132588;
  airport.variationDeg = 343.0f;
  const BglRunway runway{16, 2, 34, 1, EncodePackedLongitude(-122.3), EncodePackedLatitude(47.45), 3627.0f, 179.9f};
  const BglHelipad helipad{EncodePackedLongitude(-122.31), EncodePackedLatitude(47.44), 30.0f, 20.0f, 45.0f};
  const std::vector<BglTaxiPoint> points = {{1, 0, 100, 200}, {2, 0, 300, 400}, {3, 0, 500, 600}};
  const std::vector<ParkingSpec> parking = {{1, 2, 0}, {3, 4, 2}};
  const std::vector<BglTaxiPath> paths = {{1, 2, 0x61}, {2, 1, 4}, {0, 1, 0x21}};
  BglNavaid ils;
  ils.type = kNavaidTypeIls;
  ils.identPacked = EncodePackedIdent("ISEA");
  ils.frequencyHz = 110300000;
  ils.variationDeg = -17.0f;
  BglNavaid vor = ils;
  vor.type = 2;
  vor.identPacked = EncodePackedIdent("SEA");
  const BglNdb ndb{35000, EncodePackedLongitude(-122.0), EncodePackedLatitude(47.0), EncodePackedIdent("AB")};

  const std::vector<BglBytes> children = {RunwayRecord(runway),   HelipadRecord(helipad), TaxiPointsRecord(points),
                                          ParkingRecord(parking), TaxiPathsRecord(paths), NameRecord("Seattle")};
  const std::vector<BglBytes> ilsChildren = {LocalizerRecord(163.4f), GlideSlopeRecord(), DmeRecord(),
                                             NameRecord("ILS 16R")};
  const std::vector<BglBytes> vorChildren = {DmeRecord(), NameRecord("SEATTLE")};

  BglFileBuilder().Section(kSectionAirport, {{AirportRecord(airport, children)}}).WriteTo(folder / "airport.bgl");
  BglFileBuilder()
      .Section(kSectionVorIls, {{VorIlsRecord(ils, ilsChildren), VorIlsRecord(vor, vorChildren)}})
      .WriteTo(folder / "navaids.bgl");
  BglFileBuilder().Section(kSectionNdb, {{NdbRecord(ndb, "ALPHA")}}).WriteTo(folder / "ndb.bgl");
  BglFileBuilder()
      .Section(kSectionAirport, {{AirportRecord(airport, children)}, {AirportRecord(airport, {})}})
      .Section(kSectionVorIls, {{VorIlsRecord(ils, ilsChildren)}})
      .Section(kSectionNdb, {{NdbRecord(ndb, "ALPHA"), NdbRecord(ndb, "")}})
      .Section(0x65, {{OpaqueRecord(0x0099, 20)}})
      .WriteTo(folder / "all.bgl");
  return 0;
}
