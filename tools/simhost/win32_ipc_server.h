// The Windows server side of the FSUIPC transport: the server window of corvane/simlink, around a backend.
// The same interface as the Linux server of ipc_server.h, so that the program's main serves either.
#pragma once

#include <csignal>
#include <string>

#include "corvane/simlink/win32_server_window.h"
#include "tools/simhost/simulator_backend.h"

namespace corvane::simhost {

class IpcServer {
 public:
  explicit IpcServer(SimulatorBackend& backend);
  IpcServer(const IpcServer&) = delete;
  IpcServer& operator=(const IpcServer&) = delete;

  // Creates the server window of class "UIPCMAIN", unless another simulator already shows one.
  bool Listen(std::string& error);
  // Where clients find the server, for the start-up line.
  const std::string& socketPath() const { return where_; }

  // Serves clients and advances the backend on the real clock until `stop` becomes non-zero.
  void Run(bool verbose, const volatile std::sig_atomic_t& stop);

 private:
  SimulatorBackend& backend_;
  simlink::Win32ServerWindow window_;
  std::string where_;
};

}  // namespace corvane::simhost
