#include "flying_form.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace corvane::shell {

FlyingForm::FlyingForm(const std::filesystem::path& settingsPath, const std::filesystem::path& dataFolder,
                       SimulatorConnection connection)
    : connection_(std::move(connection)),
      dialogs_([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }) {
  form_ = std::make_unique<TForm1>(FormOptions{settingsPath, dataFolder, connection_.transport, connection_.sleep},
                                   dialogs_, imageCanvas_, paintBoxCanvas_);
  TForm1& form = *form_;
  clock_ = std::make_unique<VirtualClock>(form.Timers(), [this](int timerIndex) {
    if (connection_.advanceTo) connection_.advanceTo(clock_->NowMs());
    if (timerIndex != 0) form_->TimerTick(timerIndex);
  });
}

void FlyingForm::Advance(std::uint64_t elapsedMs) {
  // Sleeping only what the timers did not spend waiting for the simulator keeps the clock on the wall.
  if (!virtualTime()) std::this_thread::sleep_until(wallStart_ + std::chrono::milliseconds(NowMs() + elapsedMs));
  clock_->Advance(elapsedMs);
}

}  // namespace corvane::shell
