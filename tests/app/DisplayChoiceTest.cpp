#include "app/DisplayChoice.h"

#include <gtest/gtest.h>

namespace {

using enum DisplaySystem;

TEST(DisplayChoiceTest, FullScreenTriesWaylandFirstOnlyWhereACompositorIsNamed) {
  struct Case {
    bool fullScreen;
    const char* forced;
    bool waylandNamed;
    std::vector<DisplaySystem> order;
  };
  const Case cases[] = {
      {true, "", true, {kWayland, kX11}},
      {true, "", false, {kX11}},
      {true, "x11", true, {kX11}},
      {true, "wayland", false, {kWayland}},
      {true, "Wayland", true, {kWayland, kX11}},  // unknown text is no choice
      {false, "wayland", true, {kX11}},
      {false, "", true, {kX11}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DisplaySystemsToTry(c.fullScreen, c.forced, c.waylandNamed), c.order)
        << c.fullScreen << " '" << c.forced << "' " << c.waylandNamed;
  }
}

TEST(DisplayChoiceTest, ScaledSurfacesAndPointerPositionsInPixels) {
  // A scale below 1 counts as 1; sizes stay within 0 to 16384, pointer pixels within an int.
  // clang-format off
  for (const auto& [size, scale, pixels] :
       {std::tuple{960, 2, 1920}, {800, 1, 800}, {800, 0, 800}, {800, -3, 800}, {-5, 2, 0},
        {9000, 2, 16384}, {1 << 30, 1 << 30, 16384}}) {
    EXPECT_EQ(SurfacePixels(size, scale), pixels) << size << " at " << scale;
  }
  for (const auto& [position, scale, pixel] :
       {std::tuple{10.75, 2, 21}, {10.75, 1, 10}, {-0.5, 1, -1}, {0.0, 0, 0}, {1e12, 4, 2147483647}}) {
    EXPECT_EQ(PointerPixel(position, scale), pixel) << position << " at " << scale;
  }
  // clang-format on
}

}  // namespace
