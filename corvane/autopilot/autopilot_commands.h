// The writes the autopilot loop, the hold and the speed brakes make, behind one small interface.
#pragma once

#include <cstdint>
#include <string>

namespace corvane::simlink {
class SimLink;
}

namespace corvane::autopilot {

// Each command returns the status-line text that reports its outcome.
class AutopilotCommands {
 public:
  virtual ~AutopilotCommands() = default;
  virtual std::string SendApHeading(double headingDeg) = 0;    // LNAV: "APHdg write failed"
  virtual std::string SendHoldHeading(double headingDeg) = 0;  // holding: "HOLD Hdg write failed"
  virtual std::string SendApAltitude(std::int32_t altitudeFt) = 0;
  virtual std::string SendApVerticalSpeed(std::int32_t verticalSpeedFpm) = 0;
  virtual std::string SendVerticalSpeedHoldOn() = 0;
  virtual std::string SendApAirspeed(std::int32_t airspeedKt) = 0;
  virtual std::string SendSpoilers(std::int32_t knotsOverTarget) = 0;
};

// The commands sent through the simulator link.
class SimLinkAutopilotCommands final : public AutopilotCommands {
 public:
  explicit SimLinkAutopilotCommands(simlink::SimLink& link) : link_(link) {}
  std::string SendApHeading(double headingDeg) override;
  std::string SendHoldHeading(double headingDeg) override;
  std::string SendApAltitude(std::int32_t altitudeFt) override;
  std::string SendApVerticalSpeed(std::int32_t verticalSpeedFpm) override;
  std::string SendVerticalSpeedHoldOn() override;
  std::string SendApAirspeed(std::int32_t airspeedKt) override;
  std::string SendSpoilers(std::int32_t knotsOverTarget) override;

 private:
  simlink::SimLink& link_;
};

}  // namespace corvane::autopilot
