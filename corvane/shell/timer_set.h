// The window's periodic timers and a clock that fires them, on virtual or real time.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace corvane::shell {

// One periodic timer. Enabling it, or changing the interval it runs at, starts its period anew.
// A temporary interval (a quick first pass) runs in place of the configured one without replacing it,
// so the settings and PanTMR never see it.
class Timer {
 public:
  explicit Timer(std::uint32_t intervalMs = 1000) : intervalMs_(intervalMs) {}

  // The interval the timer runs at now.
  std::uint32_t Interval() const { return temporary_ ? temporaryMs_ : intervalMs_; }
  std::uint32_t ConfiguredInterval() const { return intervalMs_; }
  bool Enabled() const { return enabled_; }
  // Configures the interval; it takes over at once unless a temporary interval is in force.
  void SetInterval(std::uint32_t intervalMs);
  void SetTemporaryInterval(std::uint32_t intervalMs);
  void EndTemporaryInterval();
  void SetEnabled(bool enabled);

  // The driver (virtual clock or real timers) takes the restart request when it next looks.
  bool TakeRestartRequest();

 private:
  std::uint32_t intervalMs_;
  std::uint32_t temporaryMs_ = 0;
  bool temporary_ = false;
  bool enabled_ = false;
  bool restartRequested_ = false;
};

// Fires the due timers of a fixed set on a virtual clock, earliest first, in index order on ties.
class VirtualClock {
 public:
  static constexpr int kTimerCount = 5;
  using Handler = std::function<void(int timerIndex)>;

  VirtualClock(std::array<Timer*, kTimerCount> timers, Handler handler);

  // Runs every tick that falls within the next elapsedMs milliseconds.
  void Advance(std::uint64_t elapsedMs);
  std::uint64_t NowMs() const { return nowMs_; }

 private:
  void Synchronise();

  std::array<Timer*, kTimerCount> timers_;
  std::array<std::uint64_t, kTimerCount> dueMs_{};
  std::array<bool, kTimerCount> running_{};
  Handler handler_;
  std::uint64_t nowMs_ = 0;
};

}  // namespace corvane::shell
