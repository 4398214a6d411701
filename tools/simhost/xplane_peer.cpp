// The scripted X-Plane: one thread that takes packets, answers the subscriptions that are due and moves
// the aircraft on by the real time since its last turn times the rate.
#include "tools/simhost/xplane_peer.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "formats/plain_decimal.h"
#include "tools/simhost/xplane_mapping.h"
#include "tools/simhost/xplane_packets.h"

namespace corvane::simhost {
namespace {

using Clock = std::chrono::steady_clock;
constexpr double kPi = 3.14159265358979323846;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kMetresPerSecondPerKnot = 0.514444;
constexpr double kTurnDegPerSecond = 3;
constexpr double kAccelerationKtPerSecond = 2;
constexpr double kAltitudeHoldMaxFpm = 1000;
constexpr std::size_t kPairsPerPacket = 64;

double Wrap360(double degrees) {
  degrees = std::fmod(degrees, 360.0);
  return degrees < 0 ? degrees + 360.0 : degrees;
}

}  // namespace

XPlanePeer::XPlanePeer(const XPlanePeerOptions& options) : options_(options) {
  Ref("sim/flightmodel/position/latitude") = options.latitude;
  Ref("sim/flightmodel/position/longitude") = options.longitude;
  Ref("sim/flightmodel/position/elevation") = options.altitudeFt * kMetresPerFoot;
  Ref("sim/flightmodel/position/psi") = options.headingDegTrue;
  Ref("sim/flightmodel/position/indicated_airspeed") = options.airspeedKt;
  Ref("sim/weather/wind_direction_degt") = options.windFromDegTrue;
  Ref("sim/weather/wind_speed_kt") = options.windSpeedKt;
  Ref("sim/cockpit2/tcas/indicators/tcas_num_acf") = 1;
  Fly(0);
  std::string error;
  if (!socket_.Open(options.port, options.loopbackOnly, error)) return;
  port_ = socket_.port();
  running_ = true;
  thread_ = std::thread([this] { Serve(); });
}

void XPlanePeer::Stop() {
  running_ = false;
  if (thread_.joinable()) thread_.join();
  socket_.Close();
  std::lock_guard lock(mutex_);
  subscriptions_.clear();
}

double XPlanePeer::Get(const std::string& dataref) {
  std::lock_guard lock(mutex_);
  const auto found = datarefs_.find(dataref);
  return found == datarefs_.end() ? 0.0 : found->second;
}

void XPlanePeer::Set(const std::string& dataref, double value) {
  std::lock_guard lock(mutex_);
  datarefs_[dataref] = value;
}

std::vector<std::string> XPlanePeer::TakeWrites() {
  std::lock_guard lock(mutex_);
  return std::exchange(writes_, {});
}

std::size_t XPlanePeer::subscriptionCount() {
  std::lock_guard lock(mutex_);
  std::size_t count = 0;
  for (const auto& [address, byIndex] : subscriptions_) count += byIndex.size();
  return count;
}

void XPlanePeer::Serve() {
  Clock::time_point lastStep = Clock::now(), nextBeacon = lastStep;
  std::vector<std::byte> packet;
  UdpAddress from;
  while (running_) {
    while (socket_.Receive(Clock::now() + std::chrono::milliseconds(5), packet, from)) Take(packet, from);
    const Clock::time_point now = Clock::now();
    {
      std::lock_guard lock(mutex_);
      Fly(std::chrono::duration<double>(now - lastStep).count() * options_.rate);
      lastStep = now;
      Answer(now);
    }
    if (options_.beaconTo && now >= nextBeacon) {
      xplane::Beacon beacon;
      beacon.versionNumber = options_.versionNumber;
      beacon.port = static_cast<std::uint16_t>(port_);
      beacon.computerName = "scripted-peer";
      socket_.SendTo(*options_.beaconTo, xplane::EncodeBeacon(beacon));
      nextBeacon = now + std::chrono::seconds(1);
    }
  }
}

void XPlanePeer::Take(const std::vector<std::byte>& packet, const UdpAddress& from) {
  std::lock_guard lock(mutex_);
  if (const auto request = xplane::DecodeRrefRequest(packet)) {
    auto& byIndex = subscriptions_[{from.host, from.port}];
    if (request->frequency <= 0)
      byIndex.erase(request->index);
    else
      byIndex[request->index] = {request->name, request->frequency, Clock::now()};
    if (byIndex.empty()) subscriptions_.erase({from.host, from.port});
  } else if (const auto write = xplane::DecodeDref(packet)) {
    writes_.push_back(write->name + " " + formats::PlainDecimalText(write->value));
    if (write->name == "sim/cockpit/autopilot/autopilot_state") {
      // Writing a bit toggles its mode; the vertical modes exclude each other.
      auto state = static_cast<std::uint32_t>(Ref("sim/cockpit/autopilot/autopilot_state"));
      const auto toggled = static_cast<std::uint32_t>(write->value);
      state ^= toggled;
      if (toggled & state & xplane_modes::kVerticalSpeed) state &= ~xplane_modes::kAltitudeHold;
      if (toggled & state & xplane_modes::kAltitudeHold) state &= ~xplane_modes::kVerticalSpeed;
      Ref("sim/cockpit/autopilot/autopilot_state") = state;
    } else {
      datarefs_[write->name] = write->value;
    }
  } else if (const auto placed = xplane::DecodeVehx(packet)) {
    writes_.push_back(
        "VEHX " + formats::PlainDecimalText(placed->latitude) + " " + formats::PlainDecimalText(placed->longitude) +
        " " + formats::PlainDecimalText(placed->elevationM) + " " + formats::PlainDecimalText(placed->headingDegTrue));
    Ref("sim/flightmodel/position/latitude") = placed->latitude;
    Ref("sim/flightmodel/position/longitude") = placed->longitude;
    Ref("sim/flightmodel/position/elevation") = placed->elevationM;
    Ref("sim/flightmodel/position/psi") = placed->headingDegTrue;
    Fly(0);
  }
}

void XPlanePeer::Answer(Clock::time_point now) {
  for (auto& [address, byIndex] : subscriptions_) {
    std::vector<xplane::RrefValue> due;
    for (auto& [index, subscription] : byIndex) {
      if (now < subscription.due) continue;
      const int perSecond = std::min(subscription.frequency, options_.maxAnswersPerSecond);
      subscription.due = now + std::chrono::microseconds(1000000 / std::max(perSecond, 1));
      const auto found = datarefs_.find(subscription.name);
      due.push_back({index, static_cast<float>(found == datarefs_.end() ? 0.0 : found->second)});
    }
    for (std::size_t first = 0; first < due.size(); first += kPairsPerPacket) {
      const std::span<const xplane::RrefValue> part =
          std::span(due).subspan(first, std::min(kPairsPerPacket, due.size() - first));
      socket_.SendTo({address.first, address.second}, xplane::EncodeRrefAnswer(part));
    }
  }
}

// A point mass: standard-rate turns to the selected heading, the selected vertical speed or a climb or
// descent to the selected altitude, and the throttle's speed, flown through the wind.
void XPlanePeer::Fly(double seconds) {
  const auto state = static_cast<std::uint32_t>(Ref("sim/cockpit/autopilot/autopilot_state"));
  const bool engaged = Ref("sim/cockpit/autopilot/autopilot_mode") == kXPlaneAutopilotOn;
  double& heading = Ref("sim/flightmodel/position/psi");
  double& altitudeM = Ref("sim/flightmodel/position/elevation");
  double& ias = Ref("sim/flightmodel/position/indicated_airspeed");
  double& vs = Ref("sim/flightmodel/position/vh_ind_fpm");
  const double variation = options_.magneticVariationDeg;
  if (engaged && (state & xplane_modes::kHeadingHold)) {
    const double wanted = Wrap360(Ref("sim/cockpit/autopilot/heading_mag") + variation);
    const double turn = std::remainder(wanted - heading, 360.0);
    heading = Wrap360(heading + std::clamp(turn, -kTurnDegPerSecond * seconds, kTurnDegPerSecond * seconds));
  }
  if (engaged && (state & xplane_modes::kVerticalSpeed)) vs = Ref("sim/cockpit/autopilot/vertical_velocity");
  if (engaged && (state & xplane_modes::kAltitudeHold)) {
    const double gapFt = Ref("sim/cockpit/autopilot/altitude") - altitudeM / kMetresPerFoot;
    vs = seconds > 0 ? std::clamp(gapFt * 60 / std::max(seconds, 1.0), -kAltitudeHoldMaxFpm, kAltitudeHoldMaxFpm) : vs;
  }
  if (engaged && (state & xplane_modes::kAutothrottle)) {
    const double gap = Ref("sim/cockpit/autopilot/airspeed") - ias;
    ias += std::clamp(gap, -kAccelerationKtPerSecond * seconds, kAccelerationKtPerSecond * seconds);
  }
  const double altitudeFt = altitudeM / kMetresPerFoot;
  const double tasKt = ias * (1 + altitudeFt / 1000 * 0.02);
  const double windToRad = (Ref("sim/weather/wind_direction_degt") + 180) * kPi / 180;
  const double windKt = Ref("sim/weather/wind_speed_kt");
  const double northKt = tasKt * std::cos(heading * kPi / 180) + windKt * std::cos(windToRad);
  const double eastKt = tasKt * std::sin(heading * kPi / 180) + windKt * std::sin(windToRad);
  double& latitude = Ref("sim/flightmodel/position/latitude");
  double& longitude = Ref("sim/flightmodel/position/longitude");
  const double hours = seconds / 3600;
  latitude += northKt * hours / 60;
  longitude += eastKt * hours / 60 / std::max(std::cos(latitude * kPi / 180), 0.01);
  altitudeM += vs * seconds / 60 * kMetresPerFoot;
  Ref("sim/flightmodel/position/mag_psi") = Wrap360(heading - variation);
  Ref("sim/flightmodel/position/groundspeed") = std::hypot(northKt, eastKt) * kMetresPerSecondPerKnot;
  Ref("sim/flightmodel/position/true_airspeed") = tasKt * kMetresPerSecondPerKnot;
}

}  // namespace corvane::simhost
