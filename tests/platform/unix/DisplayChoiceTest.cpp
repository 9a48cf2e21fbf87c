#include "platform/unix/DisplayChoice.h"

#include <gtest/gtest.h>

#include "platform/unix/OutputScale.h"

namespace {

using Names = std::vector<std::string_view>;

TEST(DisplayChoiceTest, WaylandFirstOnlyWhereACompositorIsNamedAndOnlyWhatIsBuilt) {
  const Names both{"x11", "wayland"};
  const Names x11{"x11"};
  const Names wayland{"wayland"};
  struct Case {
    const Names& built;
    const char* forced;
    bool waylandNamed;
    Names order;
  };
  const Case cases[] = {
      {both, "", true, {"wayland", "x11"}},
      {both, "", false, {"x11"}},
      {both, "x11", true, {"x11"}},
      {both, "wayland", false, {"wayland"}},
      {both, "Wayland", true, {"wayland", "x11"}},  // unknown text is no choice
      {x11, "", true, {"x11"}},
      {x11, "wayland", true, {}},
      {wayland, "", true, {"wayland"}},
      {wayland, "", false, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DisplaySystemsToTry(c.built, c.forced, c.waylandNamed), c.order)
        << c.built.size() << " '" << c.forced << "' " << c.waylandNamed;
  }
}

TEST(OutputScaleTest, ScaledSurfacesAndPointerPositionsInPixels) {
  // A scale below 1 counts as 1; sizes stay within 0 to 16384, pointer pixels within an int.
  // clang-format off
  for (const auto& [size, scale, pixels] :
       {std::tuple{960, 2, 1920}, {800, 1, 800}, {800, 0, 800}, {800, -3, 800}, {-5, 2, 0},
        {9000, 2, 16384}, {1 << 30, 1 << 30, 16384}}) {
    EXPECT_EQ(SurfacePixels(size, scale), pixels) << size << " at " << scale;
  }
  for (const auto& [position, scale, pixel] :
       {std::tuple{10.75, 2, 21}, {10.75, 1, 10}, {-0.5, 1, -1}, {0.0, 0, 0}, {1e12, 4, 2147483647},
        {-1e12, 1, -2147483647}}) {
    EXPECT_EQ(PointerPixel(position, scale), pixel) << position << " at " << scale;
  }
  // clang-format on
}

}  // namespace
