// The write rules at the read-back's resolution.
#include "corvane/autopilot/autopilot_writes.h"

#include <cstdlib>

#include "corvane/autopilot/waypoint_geometry.h"
#include "corvane/simlink/offset_codec.h"
#include "corvane/simlink/sim_commands.h"

namespace corvane::autopilot {
namespace {

constexpr std::int32_t kVerticalSpeedBandFpm = 200;

}  // namespace

std::int32_t HeadingReadBackDeg(double headingDeg) {
  return simlink::DecodeApHeading(simlink::EncodeApHeading(headingDeg));
}

std::int32_t AltitudeReadBackFt(std::int32_t altitudeFt) {
  return simlink::DecodeApAltitude(simlink::EncodeApAltitude(altitudeFt));
}

bool HeadingAlreadySet(double targetDeg, std::int32_t apHeadingDeg, const LastWrites& written) {
  const std::int32_t target = HeadingReadBackDeg(targetDeg);
  return target == apHeadingDeg || written.headingDeg == target;
}

bool HeadingWriteNeeded(double offDeg, double targetDeg, std::int32_t apHeadingDeg, const LastWrites& written) {
  return IsOffHeading(offDeg) && !HeadingAlreadySet(targetDeg, apHeadingDeg, written);
}

bool AltitudeAlreadySet(std::int32_t targetFt, std::int32_t apAltitudeFt, const LastWrites& written) {
  const std::int32_t target = AltitudeReadBackFt(targetFt);
  return target == apAltitudeFt || written.altitudeFt == target;
}

bool VerticalSpeedWrittenAlready(std::int32_t verticalSpeedFpm, const LastWrites& written) {
  return written.verticalSpeedFpm && std::abs(verticalSpeedFpm - *written.verticalSpeedFpm) <= kVerticalSpeedBandFpm;
}

void RememberWrite(std::optional<std::int32_t>& lastWritten, std::int32_t readBack, const std::string& status) {
  if (status == simlink::kWriteOk) {
    lastWritten = readBack;
  } else {
    lastWritten.reset();
  }
}

}  // namespace corvane::autopilot
