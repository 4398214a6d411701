// Simulator commands: encode, queue, process, and name the outcome.
#include "corvane/simlink/sim_commands.h"

#include <optional>

#include "corvane/simlink/offset_codec.h"
#include "corvane/simlink/sim_link.h"

namespace corvane::simlink {
namespace {

struct OffsetWrite {
  std::uint32_t offset;
  std::uint32_t sizeBytes;
  const void* source;
};

// One batch: every write queued, then one Process; false when any step fails.
bool SendBatch(SimLink& link, std::initializer_list<OffsetWrite> writes) {
  SimLinkResult result;
  for (const OffsetWrite& write : writes) {
    if (!link.Write(write.offset, write.sizeBytes, write.source, result)) return false;
  }
  return link.Process(result);
}

template <typename T>
std::string SendValue(SimLink& link, std::uint32_t offset, T value, std::string_view failureText) {
  return std::string(SendBatch(link, {{offset, sizeof value, &value}}) ? kWriteOk : failureText);
}

}  // namespace

std::string SendApHeading(SimLink& link, double headingDeg) {
  return SendValue(link, kOffsetApHeading, EncodeApHeading(headingDeg), "APHdg write failed");
}

std::string SendHoldHeading(SimLink& link, double headingDeg) {
  return SendValue(link, kOffsetApHeading, EncodeApHeading(headingDeg), "HOLD Hdg write failed");
}

std::string SendApAltitude(SimLink& link, double altitudeFt) {
  return SendValue(link, kOffsetApAltitude, EncodeApAltitude(altitudeFt), "APAlt write failed");
}

std::string SendApVerticalSpeed(SimLink& link, double verticalSpeedFpm) {
  return SendValue(link, kOffsetApVerticalSpeed, EncodeApVerticalSpeed(verticalSpeedFpm), "APVSpd write failed");
}

std::string SendVsHoldOn(SimLink& link) {
  return SendValue(link, kOffsetVsHold, std::uint32_t{1}, "VS mode write failed");
}

std::string SendApAirspeed(SimLink& link, double airspeedKt) {
  return SendValue(link, kOffsetApAirspeed, EncodeApAirspeed(airspeedKt), "APSpd write failed");
}

std::string SendSpoilers(SimLink& link, std::int32_t knotsOverTarget) {
  return SendValue(link, kOffsetSpoilers, EncodeSpoilers(knotsOverTarget), "Spoilers write failed");
}

std::string SendPositionLatLon(SimLink& link, double latitude, double longitude) {
  const std::int64_t latitudeRaw = EncodeLatitude(latitude);
  const std::int64_t longitudeRaw = EncodeLongitude(longitude);
  const bool sent = SendBatch(link, {{kOffsetLatitude, 8, &latitudeRaw}, {kOffsetLongitude, 8, &longitudeRaw}});
  return std::string(sent ? kWriteOk : "Position write failed");
}

std::string SendPositionHeadingAltitude(SimLink& link, double headingDegTrue, double altitudeFt) {
  const std::uint32_t headingRaw = EncodeHeading(headingDegTrue);
  const std::int64_t altitudeRaw = EncodeAltitude(altitudeFt);
  const bool sent = SendBatch(link, {{kOffsetHeading, 4, &headingRaw}, {kOffsetAltitude, 8, &altitudeRaw}});
  return std::string(sent ? kWriteOk : "Position write failed");
}

std::string TuneIls(SimLink& link, std::string_view ilsFrequencyText) {
  // A text without the digits is not sent: its garbage would tune some other frequency.
  const std::optional<std::uint16_t> frequency = EncodeNavFrequency(ilsFrequencyText);
  if (!frequency || !SendBatch(link, {{kOffsetNav1Frequency, 2, &*frequency}})) return "ILS Radio freq write failed!";
  const std::optional<std::uint16_t> course = IlsCourse(ilsFrequencyText);
  if (!course || !SendBatch(link, {{kOffsetNav1Course, 2, &*course}})) return "Freq and course write failed!";
  return "ILS Radio freq and course Set";
}

std::string TuneVor(SimLink& link, std::string_view beaconText, std::string_view frequencyText,
                    bool airportViewRunning) {
  const std::optional<std::uint16_t> frequency = EncodeNavFrequency(frequencyText);
  const std::uint32_t offset = airportViewRunning ? kOffsetNav2Frequency : kOffsetNav1Frequency;
  const bool sent = frequency && SendBatch(link, {{offset, 2, &*frequency}});
  return std::string(beaconText) + (sent ? " VOR Radio freq Set" : " VOR Radio freq write failed!");
}

std::string TuneNdb(SimLink& link, std::string_view beaconText, std::string_view frequencyText) {
  const std::optional<std::uint16_t> frequency = EncodeAdfFrequency(frequencyText);
  const bool sent = frequency && SendBatch(link, {{kOffsetAdfFrequency, 2, &*frequency}});
  return std::string(beaconText) + (sent ? " NDB Radio freq Set" : " NDB Radio freq write failed!");
}

}  // namespace corvane::simlink
