// simhost's X-Plane backend: serves corvane from X-Plane's own UDP link. The bridge subscribes to the
// datarefs it needs and answers corvane's polls from the latest values X-Plane sent; corvane's writes go
// out as dataref writes at once. An X-Plane silent for a second is reported once and fails corvane's
// batches (a lost link); the bridge subscribes again every second until values come back, as a
// restarted X-Plane has forgotten the subscriptions. Without an address X-Plane is found by its beacon.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "tools/simhost/simulator_backend.h"
#include "tools/simhost/udp_socket.h"
#include "tools/simhost/xplane_mapping.h"

namespace corvane::simhost {

struct XPlaneOptions {
  std::string address;  // HOST or HOST:PORT; empty: found from X-Plane's beacon
  int subscriptionsPerSecond = 10;
  std::chrono::milliseconds silenceTimeout{1000};
  std::chrono::milliseconds resubscribeInterval{1000};
  // How long the first polls wait for X-Plane's first values.
  std::chrono::milliseconds firstAnswerWait{500};
  std::string beaconGroup = xplane::kBeaconGroup;
  int beaconPort = xplane::kBeaconPort;
};

class XPlaneBackend : public SimulatorBackend {
 public:
  using Report = std::function<void(const std::string&)>;
  using Clock = std::chrono::steady_clock;

  // Subscribes at once when the address is given, else listens for the beacon.
  XPlaneBackend(const XPlaneOptions& options, Report report);
  // Ends the subscriptions.
  ~XPlaneBackend() override;
  XPlaneBackend(const XPlaneBackend&) = delete;
  XPlaneBackend& operator=(const XPlaneBackend&) = delete;

  std::uint32_t ServeBlock(std::span<std::byte> block) override;
  void Advance(double realSeconds) override;
  std::string StateLine() const override;

  bool answering() const { return answering_; }
  const std::optional<UdpAddress>& xplaneAddress() const { return xplane_; }
  const XPlaneMapping& mapping() const { return mapping_; }

 private:
  // Takes what has arrived, or waits for it until `until`; then notices silence.
  void Receive(Clock::time_point until);
  void Subscribe(int frequency);
  void Send(std::span<const std::byte> packet);
  void CheckSilence();
  std::string Where() const;

  XPlaneOptions options_;
  Report report_;
  XPlaneMapping mapping_;
  UdpSocket socket_;
  UdpSocket beaconSocket_;
  std::optional<UdpAddress> xplane_;
  bool answering_ = false;
  bool everAnswered_ = false;
  Clock::time_point lastAnswer_{};
  Clock::time_point lastSubscribe_{};
};

}  // namespace corvane::simhost
