// The three ways to a simulator.
#include "simulator_choice.h"

#include "no_simulator_transport.h"

#ifdef _WIN32
#include "corvane/simlink/win32_transport.h"
#else
#include "corvane/simlink/posix_transport.h"
#endif

namespace corvane::shell {

std::optional<SimulatorConnection> MakeSimulatorConnection(std::string_view kind) {
  SimulatorConnection connection;
  if (kind == "none") {
    connection.transport = std::make_unique<NoSimulatorTransport>();
    connection.sleep = [](std::chrono::milliseconds) {};
    return connection;
  }
  if (kind == "simhost") {
#ifdef _WIN32
    connection.transport = std::make_unique<simlink::Win32Transport>();
#else
    connection.transport = std::make_unique<simlink::PosixTransport>();
#endif
    return connection;
  }
  return std::nullopt;
}

}  // namespace corvane::shell
