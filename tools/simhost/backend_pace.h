// The pace of a server loop, whichever platform's: the backend advanced by the real time between the
// loop's turns, and with --verbose its state printed once a second.
#pragma once

#include <chrono>

#include "tools/simhost/simulator_backend.h"

namespace corvane::simhost {

class BackendPace {
 public:
  BackendPace(SimulatorBackend& backend, bool verbose);
  // Called once per turn of the loop, after it has waited for requests.
  void Turn();

 private:
  using Clock = std::chrono::steady_clock;
  SimulatorBackend& backend_;
  bool verbose_;
  Clock::time_point lastStep_;
  Clock::time_point nextLog_;
};

}  // namespace corvane::simhost
