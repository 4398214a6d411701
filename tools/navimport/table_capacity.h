// Row limits of the tables the files are loaded into, less the terminator row and room for user rows.
#pragma once

#include <cstddef>

namespace corvane::navimport {

// Capacities of the navigation tables the files are loaded into.
inline constexpr std::size_t kAirportCapacity = 25000;
inline constexpr std::size_t kRunwayEndCapacity = 80000;
inline constexpr std::size_t kBeaconCapacity = 400000;
inline constexpr std::size_t kFixCapacity = 250000;
inline constexpr std::size_t kAirwaySegmentCapacity = 100000;
inline constexpr std::size_t kGeoSegmentCapacity = 700000;

// Each table ends with a terminator row; the user file ("corvane_user.dat") appends its airports,
// beacons, runway ends and fixes after the file rows, so those tables keep this much room for it.
inline constexpr std::size_t kTerminatorRows = 1;
inline constexpr std::size_t kUserRowReserve = 100;

inline constexpr std::size_t FileRowLimit(std::size_t capacity, std::size_t reserve = kUserRowReserve) {
  return capacity - kTerminatorRows - reserve;
}

}  // namespace corvane::navimport
