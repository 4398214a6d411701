// When an autopilot target is worth writing. The simulator reads a heading back truncated to a whole
// degree and an altitude truncated to a whole foot after its metre conversion (319° reads back as 318,
// 17000 ft as 16999), and the poll shows a write only some ticks later. A target is therefore compared,
// at the read-back's resolution, with what the autopilot reads and with what corvane last wrote.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "corvane/autopilot/autopilot_state.h"

namespace corvane::autopilot {

// The values the autopilot reads back after corvane wrote these.
std::int32_t HeadingReadBackDeg(double headingDeg);
std::int32_t AltitudeReadBackFt(std::int32_t altitudeFt);

// True when the target is already set: the autopilot reads it back, or corvane last wrote it.
bool HeadingAlreadySet(double targetDeg, std::int32_t apHeadingDeg, const LastWrites& written);
// A heading write when the aircraft is more than 2° off and the target is not already set: an aircraft
// crabbing into a crosswind stays off for good, and would otherwise be written to every tick.
bool HeadingWriteNeeded(double offDeg, double targetDeg, std::int32_t apHeadingDeg, const LastWrites& written);
bool AltitudeAlreadySet(std::int32_t targetFt, std::int32_t apAltitudeFt, const LastWrites& written);

// True when corvane last wrote a vertical speed within 200 fpm of this one (VerticalSpeedToWrite
// compares with the autopilot's).
bool VerticalSpeedWrittenAlready(std::int32_t verticalSpeedFpm, const LastWrites& written);

// Keeps a write the simulator took; after a failed one the target is tried again on a later tick.
void RememberWrite(std::optional<std::int32_t>& lastWritten, std::int32_t readBack, const std::string& status);

}  // namespace corvane::autopilot
