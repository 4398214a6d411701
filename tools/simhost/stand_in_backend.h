// The stand-in's flight model as simhost's backend, flown on the real clock times the rate factor.
#pragma once

#include "standin/flight_model.h"
#include "tools/simhost/simulator_backend.h"

namespace corvane::simhost {

class StandInBackend : public SimulatorBackend {
 public:
  StandInBackend(const standin::FlightModelOptions& options, double timeFactor)
      : model_(options), timeFactor_(timeFactor) {}

  std::uint32_t ServeBlock(std::span<std::byte> block) override { return model_.ServeBlock(block); }
  void Advance(double realSeconds) override { model_.Step(realSeconds * timeFactor_); }
  std::string StateLine() const override;

  const standin::FlightModel& model() const { return model_; }

 private:
  standin::FlightModel model_;
  double timeFactor_;
};

}  // namespace corvane::simhost
