// simhost's FlightGear backend: serves corvane from FlightGear's property server. Each corvane poll is
// one round trip of `get` lines; the answers are kept and serve the traffic read that follows. A
// FlightGear that stops answering is reported once and fails corvane's batches (a lost link) until a
// reconnection answers again.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "tools/simhost/flightgear_mapping.h"
#include "tools/simhost/property_connection.h"
#include "tools/simhost/simulator_backend.h"

namespace corvane::simhost {

struct FlightGearOptions {
  std::string host = "localhost";
  int port = 5401;
  bool xplane = false;
  // Below corvane's own send time-out, so a silent FlightGear fails the batch instead of the link.
  std::chrono::milliseconds replyTimeout{1000};
  std::chrono::milliseconds connectTimeout{300};
  std::chrono::milliseconds retryInterval{1000};
};

class FlightGearBackend : public SimulatorBackend {
 public:
  using Report = std::function<void(const std::string&)>;

  // Connects at once; when nothing answers yet it says so and keeps trying from Advance.
  FlightGearBackend(const FlightGearOptions& options, Report report);

  std::uint32_t ServeBlock(std::span<std::byte> block) override;
  void Advance(double realSeconds) override;
  std::string StateLine() const override;

  bool answering() const { return answering_; }
  const FlightGearMapping& mapping() const { return mapping_; }

 private:
  bool TryConnect();
  bool Poll();
  void Lose(const std::string& reason);
  std::string Where() const;

  FlightGearOptions options_;
  Report report_;
  FlightGearMapping mapping_;
  PropertyConnection connection_;
  bool answering_ = false;
  bool everAnswered_ = false;
  PropertyConnection::Clock::time_point nextAttempt_{};
};

}  // namespace corvane::simhost
