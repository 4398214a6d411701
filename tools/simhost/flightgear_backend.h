// simhost's FlightGear backend: serves corvane from FlightGear's property server. Each corvane poll sends
// one batch of `get` lines and is answered from the values of the batch before, so corvane never waits
// for FlightGear's next frame; the answers are taken as they come. A FlightGear that stops answering is
// reported once and fails corvane's batches (a lost link) until a reconnection answers again.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/simhost/flightgear_mapping.h"
#include "tools/simhost/property_connection.h"
#include "tools/simhost/simulator_backend.h"

namespace corvane::simhost {

struct FlightGearOptions {
  std::string host = "localhost";
  int port = 5401;
  bool xplane = false;
  // Below corvane's own send time-out, so a silent FlightGear fails the batch instead of the link; also
  // the age beyond which answers are too old to serve without waiting for fresh ones.
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
  bool pollPending() const { return pending_.has_value(); }
  const FlightGearMapping& mapping() const { return mapping_; }

 private:
  using Clock = PropertyConnection::Clock;
  // A batch sent and not yet answered in full.
  struct PendingPoll {
    std::size_t valueCount = 0;
    std::vector<std::string> values;
    std::vector<std::string> listing;
    Clock::time_point deadline;
  };
  enum class Progress { kComplete, kWaiting, kFailed };

  bool TryConnect();
  bool SendPoll();
  // Reads the pending batch's answers that come until `until`; a complete batch fills the offsets.
  Progress Collect(Clock::time_point until);
  void Lose(const std::string& reason);
  std::string Where() const;

  FlightGearOptions options_;
  Report report_;
  FlightGearMapping mapping_;
  PropertyConnection connection_;
  bool answering_ = false;
  bool everAnswered_ = false;
  std::optional<PendingPoll> pending_;
  Clock::time_point lastAnswer_{};
  Clock::time_point nextAttempt_{};
};

}  // namespace corvane::simhost
