// Scenery records for the window tests.
#include "tessel/testing/window_scenery.h"

#include <vector>

#include "tessel/packed_values.h"

namespace tessel::testing {

BglAirport AirportAt(const std::string& ident, double latitudeDeg, double longitudeDeg) {
  BglAirport airport;
  airport.identPacked = EncodePackedIdent(ident);
  airport.latitudePacked = EncodePackedLatitude(latitudeDeg);
  airport.longitudePacked = EncodePackedLongitude(longitudeDeg);
  airport.elevationMm = 100000;
  return airport;
}

BglBytes AirportWithTaxiways(const BglAirport& airport, const std::string& name, int points,
                             double surfaceLatitudeDeg) {
  std::vector<BglTaxiPoint> taxiPoints;
  std::vector<BglTaxiPath> paths;
  for (int i = 0; i < points; ++i) {
    taxiPoints.push_back(
        {1, 0, EncodePackedLongitude(4.75 + i * 1e-4), EncodePackedLatitude(surfaceLatitudeDeg + i * 1e-4)});
    if (i > 0) paths.push_back({static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(i % (points - 1) + 1), 0x61});
  }
  const std::vector<BglBytes> children = {
      RunwayRecord(
          {9, 0, 27, 0, EncodePackedLongitude(4.75), EncodePackedLatitude(surfaceLatitudeDeg), 3300.0f, 87.5f}),
      HelipadRecord({EncodePackedLongitude(4.75), EncodePackedLatitude(surfaceLatitudeDeg), 20.0f, 20.0f, 0.0f}),
      TaxiPointsRecord(taxiPoints),
      TaxiPathsRecord(paths),
      NameRecord(name),
  };
  return AirportRecord(airport, children);
}

BglBytes NavaidWithLocalizer(std::uint8_t type, const std::string& ident, const std::string& name) {
  BglNavaid navaid;
  navaid.type = type;
  navaid.identPacked = EncodePackedIdent(ident);
  navaid.latitudePacked = EncodePackedLatitude(52.5);
  navaid.longitudePacked = EncodePackedLongitude(4.5);
  navaid.frequencyHz = 110300000;
  return VorIlsRecord(navaid, std::vector<BglBytes>{LocalizerRecord(90.0f), NameRecord(name)});
}

}  // namespace tessel::testing
