// The stand-in simulator's flight model: owns the 64 KiB offset space, serves request blocks and flies
// an aircraft that follows the autopilot offsets. Runs on whatever clock calls Step.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "corvane/simlink/ipc_wire.h"
#include "corvane/simlink/loopback_transport.h"
#include "corvane/simlink/memory_offset_server.h"
#include "standin/traffic_model.h"

namespace corvane::standin {

struct FlightModelOptions {
  double latitude = 52.3086;  // Amsterdam Schiphol
  double longitude = 4.7639;
  double headingDegTrue = 0;
  double altitudeFt = 3000;
  double airspeedKt = 250;
  double windDirectionDegTrue = 0;
  double windSpeedKt = 0;
  double magneticVariationDeg = 0;  // east positive
  int trafficCount = 0;
  std::uint64_t seed = 1;
  bool xplane = false;  // answer the handshake as the X-Plane plug-in
};

// What the aircraft is doing, in engineering units.
struct AircraftTruth {
  double latitude = 0;
  double longitude = 0;
  double altitudeFt = 0;
  double headingDegTrue = 0;
  double indicatedAirspeedKt = 0;
  double trueAirspeedKt = 0;
  double groundSpeedKt = 0;
  double verticalSpeedFpm = 0;
};

class FlightModel : public simlink::BlockServer, public simlink::OffsetSpaceAccess {
 public:
  static constexpr double kTurnRateDegPerSec = 3.0;  // standard rate, where the bank limit allows it
  static constexpr double kMaxBankDeg = 25.0;
  static constexpr double kDefaultClimbFpm = 1500.0;
  static constexpr double kMaxDescentFpm = 4000.0;
  static constexpr double kAccelerationKtPerSec = 2.0;
  static constexpr double kDecelerationKtPerSec = 1.5;
  static constexpr double kSpoilerDecelerationKtPerSec = 3.0;

  explicit FlightModel(const FlightModelOptions& options);

  // One batch as the server sees it; position writes move the aircraft.
  std::uint32_t ServeBlock(std::span<std::byte> block) override;
  void ReadOffsets(std::uint32_t offset, std::span<std::byte> out) override;
  void WriteOffsets(std::uint32_t offset, std::span<const std::byte> in) override;

  // Advances the aircraft and the traffic by `seconds` of simulated time.
  void Step(double seconds);

  const AircraftTruth& aircraft() const { return aircraft_; }
  const TrafficModel& traffic() const { return traffic_; }
  double elapsedSeconds() const { return elapsedSeconds_; }
  std::uint32_t serverVersion() const;

  template <typename T>
  T Get(std::uint32_t offset) const {
    T value{};
    if (offset + sizeof value <= offsets_.size()) std::memcpy(&value, offsets_.data() + offset, sizeof value);
    return value;
  }

 private:
  template <typename T>
  void Put(std::uint32_t offset, T value) {
    std::memcpy(offsets_.data() + offset, &value, sizeof value);
  }
  void AbsorbPositionWrites();
  void StepOnce(double seconds);
  void Publish();

  FlightModelOptions options_;
  AircraftTruth aircraft_;
  TrafficModel traffic_;
  double elapsedSeconds_ = 0;
  simlink::OffsetSpace offsets_{};
  // Which aircraft offsets the last batch wrote, so the model adopts them.
  bool latitudeWritten_ = false, longitudeWritten_ = false, altitudeWritten_ = false, headingWritten_ = false;
};

// The built-in simulator: a flight model and the in-process transport that reaches it.
struct InProcessSimulator {
  explicit InProcessSimulator(const FlightModelOptions& options) : model(options), transport(model) {}
  FlightModel model;
  simlink::LoopbackTransport transport;
};

}  // namespace corvane::standin
