// How the offsets corvane reads and writes meet X-Plane's datarefs: the datarefs the bridge subscribes
// to, the offsets their answers fill, and the dataref writes (and the placing of the aircraft) that
// corvane's writes become, with the autopilot modes that make X-Plane fly them.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/simhost/simulator_offsets.h"
#include "tools/simhost/xplane_packets.h"

namespace corvane::simhost {

// Bits of sim/cockpit/autopilot/autopilot_state; writing a bit toggles that mode.
namespace xplane_modes {
inline constexpr std::uint32_t kAutothrottle = 0x00001;
inline constexpr std::uint32_t kHeadingHold = 0x00002;
inline constexpr std::uint32_t kVerticalSpeed = 0x00010;
inline constexpr std::uint32_t kAltitudeHold = 0x04000;
}  // namespace xplane_modes

// sim/cockpit/autopilot/autopilot_mode: 0 off, 1 flight director, 2 on.
inline constexpr int kXPlaneAutopilotOn = 2;

class XPlaneMapping : public simlink::OffsetSpaceAccess {
 public:
  using Clock = std::chrono::steady_clock;
  // Other aircraft read, after the user's own at index 0 of X-Plane's traffic arrays.
  static constexpr int kTrafficTargets = 19;
  // The rate of a climb or descent to a target that corvane gave no vertical speed for.
  static constexpr double kDefaultClimbFpm = 1500;
  // How long a mode toggle is awaited before it may be sent again.
  static constexpr std::chrono::milliseconds kToggleWait{2000};

  XPlaneMapping();

  // The datarefs subscribed to; each one's position is the index of its answers.
  const std::vector<std::string>& subscriptions() const { return names_; }
  // One answer's values; indexes not subscribed to are ignored. Once every value of the user's aircraft
  // has come, the offsets are filled from the latest values.
  void Absorb(std::span<const xplane::RrefValue> values);
  // Every value of the user's aircraft has answered since the last ForgetAnswers.
  bool complete() const;
  // X-Plane restarted or went away: the offsets keep their values until every value has come again.
  void ForgetAnswers();

  void ReadOffsets(std::uint32_t offset, std::span<std::byte> out) override;
  void WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) override;

  // The DREF and VEHX packets the writes and the latest answers call for, removed from the queue.
  std::vector<xplane::Packet> TakePackets();

  const AircraftReading& aircraft() const { return aircraft_; }
  std::uint32_t autopilotState() const { return autopilotState_; }
  std::string StateLine() const;

 private:
  void Dref(const std::string& name, double value);
  // Toggles `mode` on unless X-Plane shows it on or a toggle for it is still awaited.
  void Engage(std::uint32_t mode);
  void UpdateAltitudeMode(bool written);
  void Place(const OffsetWrites& w);
  void PublishTraffic();

  std::vector<std::string> names_;
  std::vector<float> values_;
  std::vector<bool> heard_;
  SimulatorOffsets offsets_;
  AircraftReading aircraft_;
  std::uint32_t autopilotState_ = 0;
  int autopilotMode_ = 0;
  std::vector<std::pair<std::uint32_t, Clock::time_point>> togglesAwaited_;
  bool altitudeEngaged_ = false;  // corvane wrote an altitude, vertical speed or the switch
  std::uint32_t altitudeModeWanted_ = 0;
  std::optional<double> corvaneRateFpm_;  // the vertical speed corvane wrote last
  std::optional<double> rateSentFpm_;     // the vertical speed X-Plane was given last
  xplane::VehxPlacement placement_;
  Clock::time_point placedUntil_{};  // a placement written this recently is the base of the next
  bool placementPending_ = false;    // one placement per batch, however many fields it wrote
  std::vector<xplane::Packet> packets_;
};

}  // namespace corvane::simhost
