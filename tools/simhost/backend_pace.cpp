// BackendPace: steps of at least a few milliseconds, so a busy loop does not step the model in slivers.
#include "tools/simhost/backend_pace.h"

#include <cstdio>

namespace corvane::simhost {
namespace {

constexpr double kMinStepSeconds = 0.005;

}  // namespace

BackendPace::BackendPace(SimulatorBackend& backend, bool verbose)
    : backend_(backend), verbose_(verbose), lastStep_(Clock::now()), nextLog_(lastStep_ + std::chrono::seconds(1)) {}

void BackendPace::Turn() {
  const Clock::time_point now = Clock::now();
  const double elapsed = std::chrono::duration<double>(now - lastStep_).count();
  if (elapsed >= kMinStepSeconds) {
    backend_.Advance(elapsed);
    lastStep_ = now;
  }
  if (verbose_ && now >= nextLog_) {
    std::printf("simhost: %s\n", backend_.StateLine().c_str());
    std::fflush(stdout);
    nextLog_ += std::chrono::seconds(1);
  }
}

}  // namespace corvane::simhost
