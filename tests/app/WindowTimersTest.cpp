#include "app/WindowTimers.h"

#include <gtest/gtest.h>

namespace {

using Clock = CWindowTimers::Clock;
using std::chrono::milliseconds;

const Clock::time_point kStart{};

TEST(WindowTimersTest, FirstTickComesOnePeriodAfterStartAndZeroIsOneMillisecond) {
  CWindowTimers timers;
  EXPECT_FALSE(timers.NextDue());
  timers.Set(1, 50, kStart);
  EXPECT_EQ(timers.NextDue(), kStart + milliseconds(50));
  EXPECT_FALSE(timers.TakeDue(kStart + milliseconds(49)));
  EXPECT_EQ(timers.TakeDue(kStart + milliseconds(50)), 1u);
  EXPECT_FALSE(timers.TakeDue(kStart + milliseconds(50)));
  timers.Set(1, 0, kStart);
  EXPECT_EQ(timers.NextDue(), kStart + milliseconds(1));
}

TEST(WindowTimersTest, LateDeliveryKeepsThePhaseAndFallingBehindGivesOneTick) {
  CWindowTimers timers;
  timers.Set(1, 10, kStart);
  EXPECT_EQ(timers.TakeDue(kStart + milliseconds(13)), 1u);
  EXPECT_EQ(timers.NextDue(), kStart + milliseconds(20));
  const auto late = kStart + milliseconds(105);
  EXPECT_EQ(timers.TakeDue(late), 1u);
  EXPECT_FALSE(timers.TakeDue(late));
  // The missed periods are dropped; the next tick keeps the phase of the first.
  EXPECT_EQ(timers.NextDue(), kStart + milliseconds(110));
}

TEST(WindowTimersTest, EarliestFirstKillAndRestart) {
  CWindowTimers timers;
  timers.Set(2, 1000, kStart);
  timers.Set(1, 50, kStart);
  EXPECT_EQ(timers.TakeDue(kStart + milliseconds(2000)), 1u);
  EXPECT_EQ(timers.TakeDue(kStart + milliseconds(2000)), 2u);
  timers.Kill(1);
  timers.Kill(7);
  EXPECT_EQ(timers.NextDue(), kStart + milliseconds(3000));
  // Due exactly at a later period boundary: that period counts as missed too.
  EXPECT_EQ(timers.TakeDue(kStart + milliseconds(4000)), 2u);
  EXPECT_EQ(timers.NextDue(), kStart + milliseconds(5000));
  timers.Set(2, 100, kStart + milliseconds(2000));
  EXPECT_EQ(timers.NextDue(), kStart + milliseconds(2100));
  timers.Kill(2);
  EXPECT_FALSE(timers.NextDue());
}

}  // namespace
