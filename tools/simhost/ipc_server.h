// The Linux server side of the FSUIPC transport (framing in corvane/simlink/ipc_wire.h).
#pragma once

#include <csignal>
#include <cstddef>
#include <string>
#include <vector>

#include "tools/simhost/simulator_backend.h"

namespace corvane::simhost {

class IpcServer {
 public:
  explicit IpcServer(SimulatorBackend& backend);
  ~IpcServer();
  IpcServer(const IpcServer&) = delete;
  IpcServer& operator=(const IpcServer&) = delete;

  // Creates the private socket folder and listens under the class name "UIPCMAIN".
  bool Listen(std::string& error);
  const std::string& socketPath() const { return socketPath_; }

  // Serves clients and advances the backend on the real clock until `stop` becomes non-zero.
  void Run(bool verbose, const volatile std::sig_atomic_t& stop);

 private:
  struct Client {
    int socket = -1;
    int number = 0;
    std::string blockName;
    std::byte* view = nullptr;
  };

  bool HandleRequest(Client& client);
  bool MapBlock(Client& client, const std::string& blockName);
  void Disconnect(Client& client);
  SimulatorBackend& backend_;
  std::string socketPath_;
  int listener_ = -1;
  std::vector<Client> clients_;
  int clientsSeen_ = 0;
};

}  // namespace corvane::simhost
