// What the window says and does while the simulator does not answer: the texts, and the autopilot's
// commands wrapped so that the first failed batch ends the writes of its tick.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "corvane/autopilot/autopilot_commands.h"
#include "corvane/simlink/sim_commands.h"

namespace corvane::shell {

inline constexpr std::string_view kLinkLostCaption = " - Link lost to ";
inline constexpr std::string_view kLinkLostStatus =
    "Simulator not answering: autopilot writes stopped, plan kept; reconnecting (CP tries at once)";
inline constexpr std::string_view kLinkStillLostStatus = "Simulator still not answering; reconnecting";
inline constexpr std::string_view kLinkBackStatus = "Simulator back";
inline constexpr std::string_view kLinkBackHeldStatus = "Simulator back: Ln resumes the plan from here";
inline constexpr std::string_view kResumeWaitsStatus = "Simulator not answering: Ln resumes once it is back";
inline constexpr std::string_view kResumedStatus = "Plan resumed from the aircraft's position";

// Forwards to the real commands. When one fails and `onFailure` finds the link lost, the rest of the tick
// sends nothing: each failed batch costs the link's full retry time, and one is enough to know.
class LinkWatchingCommands final : public autopilot::AutopilotCommands {
 public:
  LinkWatchingCommands(autopilot::AutopilotCommands& inner, std::function<bool()> onFailure)
      : inner_(inner), onFailure_(std::move(onFailure)) {}

  std::string SendApHeading(double headingDeg) override {
    return Watch([&] { return inner_.SendApHeading(headingDeg); });
  }
  std::string SendHoldHeading(double headingDeg) override {
    return Watch([&] { return inner_.SendHoldHeading(headingDeg); });
  }
  std::string SendApAltitude(std::int32_t altitudeFt) override {
    return Watch([&] { return inner_.SendApAltitude(altitudeFt); });
  }
  std::string SendApVerticalSpeed(std::int32_t verticalSpeedFpm) override {
    return Watch([&] { return inner_.SendApVerticalSpeed(verticalSpeedFpm); });
  }
  std::string SendVerticalSpeedHoldOn() override {
    return Watch([&] { return inner_.SendVerticalSpeedHoldOn(); });
  }
  std::string SendApAirspeed(std::int32_t airspeedKt) override {
    return Watch([&] { return inner_.SendApAirspeed(airspeedKt); });
  }
  std::string SendSpoilers(std::int32_t knotsOverTarget) override {
    return Watch([&] { return inner_.SendSpoilers(knotsOverTarget); });
  }

 private:
  template <class Send>
  std::string Watch(Send send) {
    if (lost_) return std::string(kLinkLostStatus);
    std::string status = send();
    if (status == simlink::kWriteOk || !onFailure_()) return status;
    lost_ = true;
    return std::string(kLinkLostStatus);
  }

  autopilot::AutopilotCommands& inner_;
  std::function<bool()> onFailure_;
  bool lost_ = false;
};

}  // namespace corvane::shell
