#include "platform/wayland/KeyboardFocus.h"

#include <gtest/gtest.h>

namespace {

using Clock = CKeyboardFocus::Clock;
constexpr auto kGrace = CKeyboardFocus::kGrace;

TEST(KeyboardFocusTest, OnlyALeaveWithNoEnterWithinTheGraceIsALoss) {
  const Clock::time_point left = Clock::now();
  CKeyboardFocus focus;
  EXPECT_FALSE(focus.Deadline());
  focus.Left(left);
  EXPECT_EQ(focus.Deadline(), left + kGrace);
  EXPECT_FALSE(focus.TakeLoss(left + kGrace - std::chrono::milliseconds(1)));
  EXPECT_TRUE(focus.TakeLoss(left + kGrace));
  EXPECT_FALSE(focus.TakeLoss(left + 2 * kGrace)) << "one loss for one leave";

  // From one of the saver's surfaces to another: no loss, however long after.
  focus.Left(left);
  focus.Entered();
  EXPECT_FALSE(focus.Deadline());
  EXPECT_FALSE(focus.TakeLoss(left + 2 * kGrace));
}

}  // namespace
