#include "EngineFixture.h"

using DriverTest = EngineTest;
using Timers = std::map<std::uint32_t, std::uint32_t>;
using Calls = std::vector<std::string>;

TEST_F(DriverTest, AFigureIs361TicksThenTheWaitThenAClearFailedTimersStay) {
  settings.m_timerInterval = 40;
  settings.m_endDelay = 3;
  Create();
  Ticks(360);
  EXPECT_EQ(host.timers, (Timers{{1, 40}}));
  wnd.OnTimer(1);  // point 360
  EXPECT_EQ(host.timers, (Timers{{2, 3000}}));
  // A tick already queued when timer 1 stopped, and a stranger's, are harmless.
  const auto calls = host.surface.calls.size();
  wnd.OnTimer(1);
  wnd.OnTimer(99);
  EXPECT_EQ(host.surface.calls.size(), calls);
  host.surface.calls.clear();
  wnd.OnTimer(2);
  EXPECT_EQ(host.timers, (Timers{{1, 40}}));
  // A timer that could not be started is never stopped; erasing fills as the wait's end does.
  host.failTimers = true;
  Ticks(361);
  Ticks(1, 2);
  EXPECT_EQ(host.timers, (Timers{{1, 40}, {2, 3000}}));
  Ticks(361);
  EXPECT_EQ(host.timers, (Timers{{1, 40}, {2, 3000}}));
  EXPECT_EQ(wnd.OnEraseBkgnd(host.surface), 1);
  EXPECT_EQ(host.surface.calls.back(), "fill 0,0,640,480");
}
