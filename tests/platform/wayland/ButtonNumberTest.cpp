#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "platform/wayland/WaylandSeat.h"

namespace {

TEST(ButtonNumberTest, EvdevButtonsGetX11Numbers) {
  // The order of X11's numbers is not evdev's: middle and right trade places.
  for (const auto& [button, number] : {std::pair{BTN_LEFT, 1u},
                                       {BTN_MIDDLE, 2u},
                                       {BTN_RIGHT, 3u},
                                       {BTN_SIDE, 8u},
                                       {BTN_EXTRA, 9u},
                                       {BTN_FORWARD, 0u},
                                       {BTN_TASK, 0u},
                                       {BTN_LEFT - 1, 0u},
                                       {0, 0u}}) {
    EXPECT_EQ(ButtonNumber(button), number) << "evdev 0x" << std::hex << button;
  }
}

}  // namespace
