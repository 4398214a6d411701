// The Windows server side of the FSUIPC transport: the server window of corvane/simlink, around the model.
// The same interface as the Linux server of ipc_server.h, so that the program's main serves either.
#pragma once

#include <csignal>
#include <string>

#include "corvane/simlink/win32_server_window.h"
#include "standin/flight_model.h"

namespace corvane::simhost {

class IpcServer {
 public:
  explicit IpcServer(standin::FlightModel& model);
  IpcServer(const IpcServer&) = delete;
  IpcServer& operator=(const IpcServer&) = delete;

  // Creates the server window of class "UIPCMAIN", unless another simulator already shows one.
  bool Listen(std::string& error);
  // Where clients find the server, for the start-up line.
  const std::string& socketPath() const { return where_; }

  // Serves clients and flies the model on the real clock × timeFactor until `stop` becomes non-zero.
  void Run(double timeFactor, bool verbose, const volatile std::sig_atomic_t& stop);

 private:
  void LogState() const;

  standin::FlightModel& model_;
  simlink::Win32ServerWindow window_;
  std::string where_;
};

}  // namespace corvane::simhost
