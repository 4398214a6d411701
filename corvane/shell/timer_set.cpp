// Timer state and the virtual clock that fires due timers in time order.
#include "timer_set.h"

#include <limits>
#include <utility>

namespace corvane::shell {

void Timer::SetInterval(std::uint32_t intervalMs) {
  const std::uint32_t running = Interval();
  intervalMs_ = intervalMs;
  if (Interval() != running) restartRequested_ = true;
}

void Timer::SetTemporaryInterval(std::uint32_t intervalMs) {
  const std::uint32_t running = Interval();
  temporary_ = true;
  temporaryMs_ = intervalMs;
  if (Interval() != running) restartRequested_ = true;
}

void Timer::EndTemporaryInterval() {
  const std::uint32_t running = Interval();
  temporary_ = false;
  if (Interval() != running) restartRequested_ = true;
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  restartRequested_ = true;
}

bool Timer::TakeRestartRequest() { return std::exchange(restartRequested_, false); }

VirtualClock::VirtualClock(std::array<Timer*, kTimerCount> timers, Handler handler)
    : timers_(timers), handler_(std::move(handler)) {}

void VirtualClock::Synchronise() {
  for (int i = 0; i < kTimerCount; ++i) {
    Timer& timer = *timers_[i];
    const bool restart = timer.TakeRestartRequest();
    const bool shouldRun = timer.Enabled() && timer.Interval() > 0;
    if (!shouldRun) {
      running_[i] = false;
    } else if (restart || !running_[i]) {
      running_[i] = true;
      dueMs_[i] = nowMs_ + timer.Interval();
    }
  }
}

void VirtualClock::Advance(std::uint64_t elapsedMs) {
  const std::uint64_t endMs = nowMs_ + elapsedMs;
  for (;;) {
    Synchronise();
    int next = -1;
    std::uint64_t nextDue = std::numeric_limits<std::uint64_t>::max();
    for (int i = 0; i < kTimerCount; ++i) {
      if (running_[i] && dueMs_[i] < nextDue) {
        nextDue = dueMs_[i];
        next = i;
      }
    }
    if (next < 0 || nextDue > endMs) break;
    nowMs_ = nextDue;
    dueMs_[next] = nowMs_ + timers_[next]->Interval();
    handler_(next);
  }
  nowMs_ = endMs;
}

}  // namespace corvane::shell
