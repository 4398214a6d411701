// How the form reaches a simulator, as the program that starts it hands it over.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "corvane/simlink/ipc_transport.h"
#include "corvane/simlink/sim_link.h"

namespace corvane::shell {

struct SimulatorConnection {
  simlink::IpcTransport* transport = nullptr;  // owned by `owner`
  simlink::SimLink::SleepFunction sleep;       // empty: real sleeping
  // For a simulator that runs on the form's clock: moves it to the given time since the start.
  std::function<void(std::uint64_t nowMs)> advanceTo;
  // Owns the transport and whatever it serves.
  std::shared_ptr<void> owner;
};

}  // namespace corvane::shell
