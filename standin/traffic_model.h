// Traffic: aircraft circling near the user aircraft, published in the simulator's traffic table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "standin/random_source.h"

namespace corvane::standin {

struct TrafficAircraft {
  std::uint32_t id = 0;
  double latitude = 0;
  double longitude = 0;
  double altitudeFt = 0;
  double headingDegTrue = 0;
  double groundSpeedKt = 0;
  double turnRateDegPerSec = 0;
  std::string callsign;
};

class TrafficModel {
 public:
  static constexpr int kMaxAircraft = 96;
  static constexpr double kRespawnBeyondNm = 40.0;

  // `count` is capped at the 96 slots of the table.
  TrafficModel(int count, std::uint64_t seed, double userLatitude, double userLongitude);

  // Flies every aircraft; one that drifted too far from the user aircraft reappears near it.
  void Step(double seconds, double userLatitude, double userLongitude);
  // 96 slots of 40 bytes: id, latitude, longitude, altitude (floats), heading, speed, vertical speed,
  // ATC id from byte 22. Unused slots are zero.
  void Publish(std::span<std::byte> table) const;

  const std::vector<TrafficAircraft>& aircraft() const { return aircraft_; }

 private:
  void Spawn(TrafficAircraft& aircraft, double userLatitude, double userLongitude);

  RandomSource random_;
  std::vector<TrafficAircraft> aircraft_;
};

// Flat-earth distance in nautical miles, the rule the rest of the program uses.
double DistanceNm(double latitudeA, double longitudeA, double latitudeB, double longitudeB);

// Moves a position along a true track by a distance in nautical miles (flat earth, small steps).
void MoveAlong(double& latitude, double& longitude, double trackDegTrue, double distanceNm);

}  // namespace corvane::standin
