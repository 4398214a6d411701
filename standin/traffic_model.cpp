// Traffic: deterministic spawn from the seed, constant-rate orbits, respawn near the user aircraft.
#include "standin/traffic_model.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace corvane::standin {
namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
constexpr const char* kAirlines[] = {"KLM", "DLH", "BAW", "AFR", "EZY", "SAS", "IBE", "AUA", "SWR", "TAP"};

template <typename T>
void StoreAt(std::span<std::byte> bytes, std::size_t position, T value) {
  std::memcpy(bytes.data() + position, &value, sizeof value);
}

}  // namespace

double DistanceNm(double latitudeA, double longitudeA, double latitudeB, double longitudeB) {
  const double meanCos = (std::cos(latitudeA * kDegToRad) + std::cos(latitudeB * kDegToRad)) / 2;
  const double dLat = latitudeB - latitudeA;
  const double dLon = (longitudeB - longitudeA) * meanCos;
  return std::sqrt(dLat * dLat + dLon * dLon) * 60.0;
}

void MoveAlong(double& latitude, double& longitude, double trackDegTrue, double distanceNm) {
  const double dLat = distanceNm * std::cos(trackDegTrue * kDegToRad) / 60.0;
  const double cosLat = std::max(std::cos(latitude * kDegToRad), 0.01);
  const double dLon = distanceNm * std::sin(trackDegTrue * kDegToRad) / 60.0 / cosLat;
  latitude = std::clamp(latitude + dLat, -89.9, 89.9);
  longitude += dLon;
  if (longitude >= 180.0) longitude -= 360.0;
  if (longitude < -180.0) longitude += 360.0;
}

TrafficModel::TrafficModel(int count, std::uint64_t seed, double userLatitude, double userLongitude) : random_(seed) {
  aircraft_.resize(static_cast<std::size_t>(std::clamp(count, 0, kMaxAircraft)));
  for (std::size_t i = 0; i < aircraft_.size(); ++i) {
    aircraft_[i].id = 1001 + static_cast<std::uint32_t>(i);
    Spawn(aircraft_[i], userLatitude, userLongitude);
  }
}

void TrafficModel::Spawn(TrafficAircraft& aircraft, double userLatitude, double userLongitude) {
  aircraft.latitude = userLatitude;
  aircraft.longitude = userLongitude;
  MoveAlong(aircraft.latitude, aircraft.longitude, random_.Uniform(0, 360), random_.Uniform(3, 25));
  aircraft.altitudeFt = std::round(random_.Uniform(20, 240)) * 100;
  aircraft.headingDegTrue = random_.Uniform(0, 360);
  aircraft.groundSpeedKt = std::round(random_.Uniform(140, 320));
  aircraft.turnRateDegPerSec = random_.Uniform(0.3, 1.5) * (random_.Below(2) == 0 ? -1 : 1);
  aircraft.callsign = std::string(kAirlines[random_.Below(10)]) + std::to_string(100 + random_.Below(9900));
}

void TrafficModel::Step(double seconds, double userLatitude, double userLongitude) {
  for (TrafficAircraft& aircraft : aircraft_) {
    aircraft.headingDegTrue = std::fmod(aircraft.headingDegTrue + aircraft.turnRateDegPerSec * seconds + 360.0, 360.0);
    MoveAlong(aircraft.latitude, aircraft.longitude, aircraft.headingDegTrue,
              aircraft.groundSpeedKt * seconds / 3600.0);
    if (DistanceNm(aircraft.latitude, aircraft.longitude, userLatitude, userLongitude) > kRespawnBeyondNm) {
      Spawn(aircraft, userLatitude, userLongitude);
    }
  }
}

void TrafficModel::Publish(std::span<std::byte> table) const {
  constexpr std::size_t kSlotBytes = 40;
  std::fill(table.begin(), table.end(), std::byte{0});
  for (std::size_t i = 0; i < aircraft_.size() && (i + 1) * kSlotBytes <= table.size(); ++i) {
    const TrafficAircraft& aircraft = aircraft_[i];
    const std::span<std::byte> slot = table.subspan(i * kSlotBytes, kSlotBytes);
    StoreAt(slot, 0, aircraft.id);
    StoreAt(slot, 4, static_cast<float>(aircraft.latitude));
    StoreAt(slot, 8, static_cast<float>(aircraft.longitude));
    StoreAt(slot, 12, static_cast<float>(aircraft.altitudeFt));
    StoreAt(slot, 16, static_cast<std::uint16_t>(aircraft.headingDegTrue * 65536.0 / 360.0));
    StoreAt(slot, 18, static_cast<std::uint16_t>(aircraft.groundSpeedKt));
    StoreAt(slot, 20, std::int16_t{0});
    std::memcpy(slot.data() + 22, aircraft.callsign.data(), std::min<std::size_t>(aircraft.callsign.size(), 14));
  }
}

}  // namespace corvane::standin
