// Scenery records for the window tests: airports with taxiway nets of a chosen size, to make a run as
// long as a test needs, and navaids with a localizer.
#pragma once

#include <cstdint>
#include <string>

#include "tessel/testing/bgl_writer.h"

namespace tessel::testing {

// An airport record at the given reference point, 100 m high.
BglAirport AirportAt(const std::string& ident, double latitudeDeg, double longitudeDeg);

// The airport with a runway, a helipad and a taxiway net of `points` points, its surfaces at
// surfaceLatitudeDeg and 4.75 E.
BglBytes AirportWithTaxiways(const BglAirport& airport, const std::string& name, int points, double surfaceLatitudeDeg);

// A navaid of the type at 52.5 N 4.5 E on 110.30 MHz, with a localizer and its name.
BglBytes NavaidWithLocalizer(std::uint8_t type, const std::string& ident, const std::string& name);

}  // namespace tessel::testing
