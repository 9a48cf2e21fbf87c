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
  EXPECT_EQ(SurfacePixels(960, 2), 1920);
  EXPECT_EQ(SurfacePixels(800, 1), 800);
  EXPECT_EQ(SurfacePixels(800, 0), 800);
  EXPECT_EQ(SurfacePixels(800, -3), 800);
  EXPECT_EQ(SurfacePixels(-5, 2), 0);
  EXPECT_EQ(SurfacePixels(9000, 2), 16384);
  EXPECT_EQ(SurfacePixels(1 << 30, 1 << 30), 16384);
  EXPECT_EQ(PointerPixel(10.75, 2), 21);
  EXPECT_EQ(PointerPixel(10.75, 1), 10);
  EXPECT_EQ(PointerPixel(-0.5, 1), -1);
  EXPECT_EQ(PointerPixel(0.0, 0), 0);
  EXPECT_EQ(PointerPixel(1e12, 4), 2147483647);
}

}  // namespace
