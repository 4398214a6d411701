// The offset space a bridge serves, shared by the bridges to other simulators: the aircraft and its
// traffic as the simulator reports them are encoded into the offsets corvane reads, and corvane's writes
// are decoded into the values they set, which each bridge hands to its simulator in its own words.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "corvane/simlink/ipc_wire.h"
#include "corvane/simlink/memory_offset_server.h"

namespace corvane::simhost {

// The aircraft as a simulator reports it, in the units corvane's offsets carry.
struct AircraftReading {
  double latitude = 0;
  double longitude = 0;
  double altitudeFt = 0;
  double headingDegTrue = 0;
  double groundSpeedKt = 0;
  double indicatedAirspeedKt = 0;
  double trueAirspeedKt = 0;
  double verticalSpeedFpm = 0;
  double magneticVariationDeg = 0;  // east positive
  double windSpeedKt = 0;
  double windFromDegTrue = 0;
  double apHeadingDegMagnetic = 0;
  double apAltitudeFt = 0;
  double apVerticalSpeedFpm = 0;
  double apAirspeedKt = 0;
};

struct TrafficReading {
  std::uint32_t id = 0;  // 0: the slot number stands in, an id of 0 would read as an empty slot
  std::string callsign;
  double latitude = 0;
  double longitude = 0;
  double altitudeFt = 0;
  double headingDegTrue = 0;
  double trueAirspeedKt = 0;
};

// What one write of corvane's sets, decoded; a field is empty when the write did not touch it.
struct OffsetWrites {
  std::optional<double> apHeadingDegMagnetic;
  std::optional<double> apAltitudeFt;
  std::optional<double> apVerticalSpeedFpm;
  bool verticalSpeedSwitch = false;  // the switch was written; its value is vsHoldOn()
  std::optional<double> apAirspeedKt;
  std::optional<double> spoilersRatio;  // 0 … 1
  std::optional<double> nav1Megahertz;
  std::optional<double> nav2Megahertz;
  std::optional<double> adfKilohertz;
  std::optional<double> nav1CourseDeg;
  std::optional<double> latitude;
  std::optional<double> longitude;
  std::optional<double> altitudeFt;
  std::optional<double> headingDegTrue;

  // An altitude, a vertical speed or the switch: the altitude mode may have to change.
  bool touchesAltitudeMode() const { return apAltitudeFt || apVerticalSpeedFpm || verticalSpeedSwitch; }
};

// Within this of the target altitude a vertical-speed climb or descent hands over to altitude hold.
inline constexpr double kCaptureBandFt = 100.0;

// corvane's switch means "climb or descend at this rate to the target": simulators whose vertical-speed
// mode flies its rate for ever are given altitude hold near the target.
bool ClimbsAtVerticalSpeed(bool switchOn, double targetFt, double altitudeFt);

class SimulatorOffsets : public simlink::OffsetSpaceAccess {
 public:
  // `xplane`: answer the handshake as the X-Plane plug-in, else as Flight Simulator.
  explicit SimulatorOffsets(bool xplane);

  void PublishAircraft(const AircraftReading& aircraft);
  // The first kTrafficSlots aircraft that have a position; the rest of the table is cleared.
  void PublishTraffic(std::span<const TrafficReading> traffic);

  void ReadOffsets(std::uint32_t offset, std::span<std::byte> out) override;
  // Stores the write; the values it set are taken with Write.
  void WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) override;
  OffsetWrites Write(std::uint32_t offset, std::span<const std::byte> in);

  bool vsHoldOn() const;
  double apAltitudeFt() const;
  double apVerticalSpeedFpm() const;

 private:
  template <typename T>
  void Put(std::uint32_t offset, T value);
  template <typename T>
  T Get(std::uint32_t offset) const;

  simlink::OffsetSpace offsets_{};
};

}  // namespace corvane::simhost
