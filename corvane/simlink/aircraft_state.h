// AircraftState and TrafficList: the latest values read from the simulator, and the reads that fill them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "corvane/simlink/offset_codec.h"

namespace corvane::simlink {

class SimLink;

struct AircraftState {
  float magneticVariationDeg = 0;  // east positive, −180 … 180
  std::int32_t groundSpeedKt = 0;
  double latitude = 0;
  double longitude = 0;
  double altitudeFt = 0;
  float headingDegTrue = 0;
  std::int32_t windSpeedKt = 0;
  std::int32_t windDirectionDegTrue = 0;
  std::int32_t windDirectionDegMagnetic = 0;
  std::int32_t apHeadingDeg = 0;
  std::int32_t apAltitudeFt = 0;
  float apVerticalSpeedFpm = 0;
  std::uint16_t apAirspeedKt = 0;
  std::int32_t indicatedAirspeedKt = 0;
  std::uint32_t verticalSpeedHold = 0;  // raw switch, 0 = off
};

struct TrafficEntry {
  std::uint32_t id = 0;
  float latitude = 0;
  float longitude = 0;
  float altitudeFt = 0;
  char callsign[16] = {};  // the first 7 characters of the ATC id, zero-terminated
};

struct TrafficList {
  static constexpr int kCapacity = kTrafficSlots;
  std::array<TrafficEntry, kCapacity> entries{};
  std::int32_t count = 0;
};

// The fourteen raw answers of one polling batch, each zero-extended into its own slot.
struct AircraftStateRaw {
  std::uint64_t slots[14] = {};
};

// The conversions of one batch into engineering units (also derives the magnetic wind direction).
AircraftState DecodeAircraftState(const AircraftStateRaw& raw);

// Queues the fourteen reads and processes them; on success overwrites `state` as a whole.
bool ReadAircraftState(SimLink& link, AircraftState& state);

// Fills `traffic` from index 0 with the occupied slots of a traffic table.
void DecodeTraffic(std::span<const std::byte, kTrafficTableBytes> table, TrafficList& traffic);

// Reads the traffic table; on failure `traffic` keeps its last contents.
bool ReadTraffic(SimLink& link, TrafficList& traffic);

enum class PollStatus {
  kLinkFailed,   // the link never opened: caption "CORVANE - FSUIPC Failed", not connected
  kBatchFailed,  // the batch failed: nothing changes
  kConnected,    // state read (traffic too, unless its own batch failed)
};

// One tick of the aircraft polling loop.
PollStatus PollAircraft(SimLink& link, AircraftState& state, TrafficList& traffic);

// The window caption after a tick, or empty when the tick leaves the caption alone.
std::string PollCaption(PollStatus status, const std::string& captionBase, const SimLink& link);

}  // namespace corvane::simlink
