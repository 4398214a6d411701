// The Windows server: one hidden window answers every client's requests between the model's steps.
#include "tools/simhost/win32_ipc_server.h"

#include <windows.h>

#include <chrono>
#include <cstdio>

#include "corvane/simlink/ipc_wire.h"

namespace corvane::simhost {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kPumpWait{20};
constexpr double kMinStepSeconds = 0.005;

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
  Clock::time_point lastStep = Clock::now();
  Clock::time_point nextLog = lastStep + std::chrono::seconds(1);
  while (stop == 0) {
    window_.PumpMessages(kPumpWait);
    const Clock::time_point now = Clock::now();
    const double elapsed = std::chrono::duration<double>(now - lastStep).count();
    if (elapsed >= kMinStepSeconds) {
      backend_.Advance(elapsed);
      lastStep = now;
    }
    if (verbose && now >= nextLog) {
      LogState();
      nextLog += std::chrono::seconds(1);
    }
  }
}

void IpcServer::LogState() const {
  std::printf("simhost: %s\n", backend_.StateLine().c_str());
  std::fflush(stdout);
}

}  // namespace corvane::simhost
