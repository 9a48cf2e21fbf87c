#include <cmath>

#include "EngineFixture.h"

using FigureTest = EngineTest;

TEST_F(FigureTest, RadiusFollowsTheObjectSizeUpToWhereCoordinatesLeave32Bits) {
  struct {
    double factor;
    int cx, cy, radius;
  } const cases[] = {{0.08, 640, 480, 38},   {6.0, 640, 480, 2868},
                     {10.0, 640, 480, 4780}, {42949672.95, 640, 480, (1 << 29) - 1},
                     {0.08, 480, 640, 38},   {-1.0, 640, 480, 0},
                     {NAN, 640, 480, 0},     {5.0, 2, 2, 0},
                     {5.0, 1, 1, 0},         {5.0, INT32_MAX, INT32_MAX, 5 * ((1 << 24) - 2)}};
  for (const auto& c : cases) {
    settings.m_objectSizeFactor = c.factor;
    wnd.OnSize(c.cx, c.cy);
    EXPECT_EQ(std::pair(wnd.m_radius, wnd.m_maxRadius), std::pair(c.radius, c.radius))
        << c.factor << " " << c.cx;
  }
  // Zero and negative sizes keep the previous area; one pixel is a size.
  for (auto [cx, cy] : {std::pair{0, 0}, {0, 300}, {300, 0}, {-5, 300}, {1, 3}, {3, 1}}) {
    wnd.OnSize(cx, cy);
    EXPECT_EQ(
        std::tuple(wnd.m_drawWidth, wnd.m_drawHeight),
        cx > 0 && cy > 0 ? std::tuple(cx - 2, cy - 2) : std::tuple((1 << 24) - 2, (1 << 24) - 2));
  }
}

TEST_F(FigureTest, ZoomLowTwoPhaseStartLargeTakesSmallStepsVeryHighFourPhaseStartSmallBigOnes) {
  // Circles in a square drawing area of 500 pixels: radius 50 at 10 percent, 100 at 20. A
  // figure without zoom after a zooming one keeps its radius.
  using namespace OptionBits;
  const std::uint32_t zooms[] = {kZoomLow | kZoomTwoPhase | kZoomStartLarge,
                                 kZoomVeryHigh | kZoomFourPhase | kZoomStartSmall, 0};
  Create(502, 502);
  for (int figure = 0; figure < 3; ++figure) {
    settings.m_objectSizeFactor = figure == 0 ? 0.1 : 0.2;
    settings.m_zoomOption = zooms[figure];
    wnd.OnSize(502, 502);
    for (int i = 0; i <= 360; ++i) {
      wnd.OnTimer(1);  // the stamp's radius, after the point's zoom update
      const int low = i < 180 ? 49 - i / 9 : std::min(50, 31 + (i - 180) / 9);
      const int high = i < 90    ? i + 2
                       : i < 180 ? 180 - i
                       : i < 270 ? i - 178
                                 : std::max(360 - i, 1);
      EXPECT_EQ(wnd.m_radius, figure == 0 ? low : figure == 1 ? high : 100) << i;
    }
    wnd.OnTimer(2);
  }
}
