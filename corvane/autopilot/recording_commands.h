// A stand-in for the simulator's autopilot in the tests: keeps every write as a line of text.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "corvane/autopilot/autopilot_commands.h"

namespace corvane::autopilot {

class RecordingCommands final : public AutopilotCommands {
 public:
  std::vector<std::string> writes;  // "heading 347.4", "altitude 9000", …
  bool failing = false;

  std::string SendApHeading(double deg) override { return Record("heading " + Decimal(deg), "APHdg"); }
  std::string SendHoldHeading(double deg) override { return Record("hold " + Decimal(deg), "HOLD Hdg"); }
  std::string SendApAltitude(std::int32_t ft) override { return Record("altitude " + std::to_string(ft), "APAlt"); }
  std::string SendApVerticalSpeed(std::int32_t fpm) override { return Record("vs " + std::to_string(fpm), "APVSpd"); }
  std::string SendVerticalSpeedHoldOn() override { return Record("vs hold on", "VS mode"); }
  std::string SendApAirspeed(std::int32_t kt) override { return Record("speed " + std::to_string(kt), "APSpd"); }
  std::string SendSpoilers(std::int32_t over) override {
    return Record("spoilers " + std::to_string(over), "Spoilers");
  }

 private:
  // One decimal tells headings apart (the C locale: a "." always).
  static std::string Decimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
  }
  std::string Record(std::string write, const char* command) {
    writes.push_back(std::move(write));
    return failing ? std::string(command) + " write failed" : "FSUIPC write OK";
  }
};

}  // namespace corvane::autopilot
