// The main window without a screen, flying: a form with its simulator and its timers on one clock.
// Against the built-in stand-in the clock is virtual (hours in seconds); against a running simulator it
// keeps step with the wall, however long the simulator takes to answer. Map frames are not drawn: no one
// looks at them.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>

#include "corvane/map/discarding_canvas.h"
#include "corvane/shell/form1.h"
#include "corvane/shell/scripted_dialogs.h"
#include "corvane/shell/simulator_connection.h"
#include "corvane/shell/timer_set.h"

namespace corvane::shell {

class FlyingForm {
 public:
  FlyingForm(const std::filesystem::path& settingsPath, const std::filesystem::path& dataFolder,
             SimulatorConnection connection);
  FlyingForm(const FlyingForm&) = delete;
  FlyingForm& operator=(const FlyingForm&) = delete;

  TForm1& form() { return *form_; }
  bool virtualTime() const { return static_cast<bool>(connection_.advanceTo); }
  // Runs every timer due within the next elapsedMs.
  void Advance(std::uint64_t elapsedMs);
  std::uint64_t NowMs() const { return clock_->NowMs(); }

 private:
  SimulatorConnection connection_;
  ScriptedDialogs dialogs_;
  map::DiscardingCanvas imageCanvas_{3000, 2250};
  map::DiscardingCanvas paintBoxCanvas_{1024, 768};
  std::unique_ptr<TForm1> form_;
  std::unique_ptr<VirtualClock> clock_;
  std::chrono::steady_clock::time_point wallStart_ = std::chrono::steady_clock::now();
};

}  // namespace corvane::shell
