// The Windows server: one hidden window answers every client's requests between the model's steps.
#include "tools/simhost/win32_ipc_server.h"

#include <windows.h>

#include <chrono>
#include <cstdio>

#include "corvane/simlink/ipc_wire.h"
#include "tools/simhost/backend_pace.h"

namespace corvane::simhost {
namespace {

constexpr std::chrono::milliseconds kPumpWait{20};

}  // namespace

IpcServer::IpcServer(SimulatorBackend& backend)
    : backend_(backend), window_(simlink::kServerClassMain, backend), where_("window class ") {
  where_ += simlink::kServerClassMain;
}

bool IpcServer::Listen(std::string& error) {
  const std::string className(simlink::kServerClassMain);
  if (FindWindowExA(nullptr, nullptr, className.c_str(), nullptr) != nullptr) {
    error = "another simulator already serves " + where_;
    return false;
  }
  return window_.Create(error);
}

void IpcServer::Run(bool verbose, const volatile std::sig_atomic_t& stop) {
  BackendPace pace(backend_, verbose);
  while (stop == 0) {
    window_.PumpMessages(kPumpWait);
    pace.Turn();
  }
}

}  // namespace corvane::simhost
