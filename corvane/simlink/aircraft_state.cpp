// The polling batch: fourteen reads in one Process, then the traffic table in a second one.
#include "corvane/simlink/aircraft_state.h"

#include <cstring>

#include "corvane/simlink/sim_link.h"

namespace corvane::simlink {
namespace {

struct PolledOffset {
  std::uint32_t offset;
  std::uint32_t sizeBytes;
};

// The order of the batch; the slots of AircraftStateRaw follow it.
constexpr PolledOffset kPolledOffsets[14] = {
    {kOffsetMagneticVariation, 2}, {kOffsetGroundSpeed, 4}, {kOffsetLatitude, 8},        {kOffsetLongitude, 8},
    {kOffsetAltitude, 8},          {kOffsetHeading, 4},     {kOffsetWindSpeed, 2},       {kOffsetWindDirection, 2},
    {kOffsetApHeading, 2},         {kOffsetApAltitude, 4},  {kOffsetApVerticalSpeed, 2}, {kOffsetApAirspeed, 2},
    {kOffsetIndicatedAirspeed, 4}, {kOffsetVsHold, 4},
};

template <typename T>
T Narrow(std::uint64_t slot) {
  return static_cast<T>(slot);
}

template <typename T>
T LoadAt(std::span<const std::byte> bytes, std::size_t position) {
  T value{};
  std::memcpy(&value, bytes.data() + position, sizeof value);
  return value;
}

}  // namespace

AircraftState DecodeAircraftState(const AircraftStateRaw& raw) {
  const auto* s = raw.slots;
  AircraftState state;
  state.magneticVariationDeg = DecodeMagneticVariation(Narrow<std::uint16_t>(s[0]));
  state.groundSpeedKt = DecodeGroundSpeed(Narrow<std::int32_t>(s[1]));
  state.latitude = DecodeLatitude(Narrow<std::int64_t>(s[2]));
  state.longitude = DecodeLongitude(Narrow<std::int64_t>(s[3]));
  state.altitudeFt = DecodeAltitude(Narrow<std::int64_t>(s[4]));
  state.headingDegTrue = DecodeHeading(Narrow<std::uint32_t>(s[5]));
  state.windSpeedKt = Narrow<std::uint16_t>(s[6]);
  state.windDirectionDegTrue = DecodeWindDirection(Narrow<std::uint16_t>(s[7]));
  state.apHeadingDeg = DecodeApHeading(Narrow<std::uint16_t>(s[8]));
  state.apAltitudeFt = DecodeApAltitude(Narrow<std::int32_t>(s[9]));
  state.apVerticalSpeedFpm = DecodeApVerticalSpeed(Narrow<std::uint16_t>(s[10]));
  state.apAirspeedKt = Narrow<std::uint16_t>(s[11]);
  state.indicatedAirspeedKt = DecodeIndicatedAirspeed(Narrow<std::int32_t>(s[12]));
  state.verticalSpeedHold = Narrow<std::uint32_t>(s[13]);
  state.windDirectionDegMagnetic = MagneticWindDirection(state.windDirectionDegTrue, state.magneticVariationDeg);
  return state;
}

bool ReadAircraftState(SimLink& link, AircraftState& state) {
  AircraftStateRaw raw;
  SimLinkResult result;
  for (int i = 0; i < 14; ++i) {
    // Little-endian: a narrow answer lands in the low bytes of its zeroed slot.
    if (!link.Read(kPolledOffsets[i].offset, kPolledOffsets[i].sizeBytes, &raw.slots[i], result)) return false;
  }
  if (!link.Process(result)) return false;
  state = DecodeAircraftState(raw);
  return true;
}

void DecodeTraffic(std::span<const std::byte, kTrafficTableBytes> table, TrafficList& traffic) {
  traffic.count = 0;
  for (int slot = 0; slot < kTrafficSlots; ++slot) {
    const std::span<const std::byte> bytes =
        std::span<const std::byte>(table).subspan(slot * kTrafficSlotBytes, kTrafficSlotBytes);
    if (LoadAt<double>(bytes, 0) == 0.0) continue;
    TrafficEntry& entry = traffic.entries[traffic.count++];
    entry = TrafficEntry{};
    entry.id = LoadAt<std::uint32_t>(bytes, 0);
    entry.latitude = LoadAt<float>(bytes, 4);
    entry.longitude = LoadAt<float>(bytes, 8);
    entry.altitudeFt = LoadAt<float>(bytes, 12);
    std::memcpy(entry.callsign, bytes.data() + kTrafficCallsignByte, kTrafficCallsignBytes);
  }
}

bool ReadTraffic(SimLink& link, TrafficList& traffic) {
  std::array<std::byte, kTrafficTableBytes> table{};
  SimLinkResult result;
  if (!link.Read(kOffsetTrafficTable, kTrafficTableBytes, table.data(), result)) return false;
  if (!link.Process(result)) return false;
  DecodeTraffic(table, traffic);
  return true;
}

PollStatus PollAircraft(SimLink& link, AircraftState& state, TrafficList& traffic) {
  if (link.openResult() != SimLinkResult::kOk) return PollStatus::kLinkFailed;
  if (!ReadAircraftState(link, state)) return PollStatus::kBatchFailed;
  ReadTraffic(link, traffic);
  return PollStatus::kConnected;
}

std::string PollCaption(PollStatus status, const std::string& captionBase, const SimLink& link) {
  switch (status) {
    case PollStatus::kLinkFailed: return "CORVANE - FSUIPC Failed";
    case PollStatus::kBatchFailed: return {};
    case PollStatus::kConnected: return captionBase + " - Connected to " + link.simulatorName();
  }
  return {};
}

}  // namespace corvane::simlink
