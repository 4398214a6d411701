// The virtual clock: order of ticks, restarts on enable and interval changes, timers started by handlers.
#include "timer_set.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane::shell {
namespace {

struct Clock {
  Timer timers[5] = {Timer{300}, Timer{500}, Timer{300}, Timer{500}, Timer{300}};
  std::string ticks;  // "1@300 5@300 ..." in firing order
  std::function<void(int)> onTick = [](int) {};
  VirtualClock clock{{&timers[0], &timers[1], &timers[2], &timers[3], &timers[4]}, [this](int index) {
                       ticks += std::to_string(index + 1) + "@" + std::to_string(clock.NowMs()) + " ";
                       onTick(index);
                     }};
};

TEST(VirtualClock, FiresEnabledTimersInTimeOrderAndIndexOrderOnTies) {
  Clock c;
  c.timers[0].SetEnabled(true);
  c.timers[1].SetEnabled(true);
  c.timers[4].SetEnabled(true);
  c.clock.Advance(1000);
  EXPECT_EQ(c.ticks, "1@300 5@300 2@500 1@600 5@600 1@900 5@900 2@1000 ");
  EXPECT_EQ(c.clock.NowMs(), 1000u);
  c.ticks.clear();
  c.clock.Advance(200);
  EXPECT_EQ(c.ticks, "1@1200 5@1200 ");
}

TEST(VirtualClock, EnablingOrChangingTheIntervalStartsThePeriodAnew) {
  Clock c;
  c.timers[0].SetEnabled(true);
  c.clock.Advance(250);
  c.timers[0].SetInterval(100);  // restarts at 250
  c.clock.Advance(200);
  EXPECT_EQ(c.ticks, "1@350 1@450 ");
  c.ticks.clear();
  c.timers[0].SetEnabled(false);
  c.clock.Advance(500);
  EXPECT_EQ(c.ticks, "");
  c.timers[0].SetEnabled(true);
  c.timers[0].SetEnabled(true);  // enabling twice does not restart
  c.clock.Advance(150);
  EXPECT_EQ(c.ticks, "1@1050 ");
}

TEST(VirtualClock, AHandlerStartsAnotherTimerFromItsOwnTickTime) {
  Clock c;
  c.timers[1].SetInterval(50);
  c.timers[1].SetEnabled(true);
  c.onTick = [&](int index) {
    if (index == 1) {
      c.timers[1].SetEnabled(false);
      c.timers[0].SetEnabled(true);
    }
  };
  c.clock.Advance(700);
  EXPECT_EQ(c.ticks, "2@50 1@350 1@650 ");
}

TEST(VirtualClock, ATemporaryIntervalRunsInPlaceOfTheConfiguredOne) {
  Clock c;
  Timer& timer = c.timers[1];
  timer.SetTemporaryInterval(50);
  timer.SetEnabled(true);
  c.clock.Advance(120);
  timer.SetInterval(700);  // configured meanwhile: the quick pass goes on
  c.clock.Advance(60);
  EXPECT_EQ(timer.Interval(), 50u);
  EXPECT_EQ(timer.ConfiguredInterval(), 700u);
  timer.EndTemporaryInterval();  // restarts at 180 on the configured interval
  c.clock.Advance(700);
  EXPECT_EQ(c.ticks, "2@50 2@100 2@150 2@880 ");
}

TEST(VirtualClock, ZeroIntervalNeverFires) {
  Clock c;
  c.timers[2].SetInterval(0);
  c.timers[2].SetEnabled(true);
  c.clock.Advance(10000);
  EXPECT_EQ(c.ticks, "");
}

}  // namespace
}  // namespace corvane::shell
