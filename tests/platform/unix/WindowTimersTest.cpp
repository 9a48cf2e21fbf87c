#include "platform/unix/WindowTimers.h"

#include <gtest/gtest.h>

namespace {

// The time point this many milliseconds after the start.
CWindowTimers::Clock::time_point At(int ms) {
  return CWindowTimers::Clock::time_point{} + std::chrono::milliseconds(ms);
}

TEST(WindowTimersTest, FirstTickComesOnePeriodAfterStartThenKeepsThePhase) {
  CWindowTimers timers;
  EXPECT_FALSE(timers.NextDue());
  timers.Set(1, 50, At(0));
  EXPECT_EQ(timers.NextDue(), At(50));
  EXPECT_FALSE(timers.TakeDue(At(49)));
  EXPECT_EQ(timers.TakeDue(At(50)), 1u);
  EXPECT_FALSE(timers.TakeDue(At(50)));
  timers.Set(1, 0, At(0));
  EXPECT_EQ(timers.NextDue(), At(1));
  // Delivered late, the tick keeps the phase; fallen behind, it gives one tick.
  timers.Set(1, 10, At(0));
  EXPECT_EQ(timers.TakeDue(At(13)), 1u);
  EXPECT_EQ(timers.NextDue(), At(20));
  EXPECT_EQ(timers.TakeDue(At(105)), 1u);
  EXPECT_FALSE(timers.TakeDue(At(105)));
  // The missed periods are dropped; the next tick keeps the phase of the first.
  EXPECT_EQ(timers.NextDue(), At(110));
}

TEST(WindowTimersTest, EarliestFirstKillAndRestart) {
  CWindowTimers timers;
  timers.Set(2, 1000, At(0));
  timers.Set(1, 50, At(0));
  EXPECT_EQ(timers.TakeDue(At(2000)), 1u);
  EXPECT_EQ(timers.TakeDue(At(2000)), 2u);
  timers.Kill(1);
  timers.Kill(7);
  EXPECT_EQ(timers.NextDue(), At(3000));
  // Due exactly at a later period boundary: that period counts as missed too.
  EXPECT_EQ(timers.TakeDue(At(4000)), 2u);
  EXPECT_EQ(timers.NextDue(), At(5000));
  timers.Set(2, 100, At(2000));
  EXPECT_EQ(timers.NextDue(), At(2100));
  timers.Kill(2);
  EXPECT_FALSE(timers.NextDue());
}

}  // namespace
