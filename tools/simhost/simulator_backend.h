// What simhost serves: one simulator's offset space and its clock, whichever simulator answers behind it.
#pragma once

#include <string>

#include "corvane/simlink/loopback_transport.h"

namespace corvane::simhost {

class SimulatorBackend : public simlink::BlockServer {
 public:
  // The server loop calls this between requests with the real time since its last call.
  virtual void Advance(double realSeconds) = 0;
  // One line of aircraft state for --verbose.
  virtual std::string StateLine() const = 0;
};

}  // namespace corvane::simhost
