// How the offsets corvane reads and writes meet FlightGear's properties. A poll is one request of `get`
// lines (the aircraft, the traffic seen last time, then a listing of /ai/models ended by an empty
// answer); the answers fill the offset space, and offset writes become `set` lines.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tools/simhost/simulator_offsets.h"

namespace corvane::simhost {

class FlightGearMapping : public simlink::OffsetSpaceAccess {
 public:
  // `xplane`: answer the handshake as the X-Plane plug-in, else as Flight Simulator.
  explicit FlightGearMapping(bool xplane);

  // The lines of one poll, each ended by CR LF.
  std::string PollRequest() const;
  // How many one-line answers come before the listing.
  std::size_t valueCount() const;
  // One poll's answers: `values` in request order, `listing` the lines of the /ai/models listing.
  void AbsorbPoll(std::span<const std::string> values, std::span<const std::string> listing);

  // Reads answer from the last poll; writes are kept and turned into commands.
  void ReadOffsets(std::uint32_t offset, std::span<std::byte> out) override;
  void WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) override;

  // The `set` lines that the writes and the last poll call for, removed from the queue.
  std::string TakeCommands();

  // Aircraft paths of /ai/models published in the traffic table, from the last listing.
  const std::vector<std::string>& trafficPaths() const { return trafficPaths_; }
  // Position, altitude, speed and heading of the last poll for simhost's log.
  std::string StateLine() const;

 private:
  void Command(const std::string& path, const std::string& value);
  void Command(const std::string& path, double value);
  void UpdateAltitudeLock(bool written);
  void PublishTraffic(std::span<const std::string> values);

  SimulatorOffsets offsets_;
  std::vector<double> aircraft_;  // last numeric answers, in poll order
  std::vector<std::string> trafficPaths_;
  std::string commands_;
  bool altitudeEngaged_ = false;  // corvane wrote an altitude, vertical speed or the switch
  std::string altitudeLockSent_;
};

}  // namespace corvane::simhost
