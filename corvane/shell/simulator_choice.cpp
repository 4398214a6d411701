// The three ways to a simulator.
#include "simulator_choice.h"

#include "corvane/simlink/platform_transport.h"
#include "no_simulator_transport.h"
#include "standin/flight_model.h"

namespace corvane::shell {

std::optional<SimulatorConnection> MakeSimulatorConnection(std::string_view kind) {
  SimulatorConnection connection;
  auto own = [&connection](auto transport) {
    connection.transport = transport.get();
    connection.owner = std::move(transport);
  };
  if (kind == "none") {
    own(std::make_shared<NoSimulatorTransport>());
    connection.sleep = [](std::chrono::milliseconds) {};
    return connection;
  }
  if (kind == "simhost") {
    own(std::make_shared<simlink::PlatformTransport>());
    return connection;
  }
  if (kind == "builtin") {
    // Answering as X-Plane at Amsterdam like the demo.
    standin::FlightModelOptions options;
    options.xplane = true;
    options.trafficCount = 6;
    return MakeBuiltInSimulator(options);
  }
  return std::nullopt;
}

SimulatorConnection MakeBuiltInSimulator(const standin::FlightModelOptions& options) {
  SimulatorConnection connection;
  auto simulator = std::make_shared<standin::InProcessSimulator>(options);
  connection.transport = &simulator->transport;
  connection.sleep = [](std::chrono::milliseconds) {};
  connection.advanceTo = [model = &simulator->model, lastMs = std::uint64_t{0}](std::uint64_t nowMs) mutable {
    if (nowMs > lastMs) model->Step(static_cast<double>(nowMs - lastMs) / 1000.0);
    lastMs = nowMs;
  };
  connection.owner = std::move(simulator);
  return connection;
}

}  // namespace corvane::shell
