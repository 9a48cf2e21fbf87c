#include <cmath>
#include <tuple>

#include "EngineFixture.h"

using FigureTest = EngineTest;

TEST_F(FigureTest, RadiusFollowsTheObjectSizeUpToWhereCoordinatesLeave32Bits) {
  // Ordinary sizes show in the known figures; here the ends of the range and the short side.
  struct {
    double factor;
    int cx, cy, radius;
  } const cases[] = {{10.0, 640, 480, 4780}, {42949672.95, 640, 480, (1 << 29) - 1},
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

TEST(ZoomStateTest, LowTwoPhaseStartLargeTakesSmallStepsVeryHighFourPhaseStartSmallBigOnes) {
  // The stamps' radii, after each point's update: 50 at "Low", 100 at "Very High", on one state
  // so that small steps follow big ones; a radius of 0 starting small is raised, then held at 0.
  using namespace OptionBits;
  CZoomState zoom;
  std::int32_t radius = zoom.PlanZoom(kZoomLow, kZoomTwoPhase, true, 50);
  for (int i = 0; i <= 360; ++i) {
    radius = zoom.UpdateZoom(i, kZoomTwoPhase, radius, 50);
    EXPECT_EQ(radius, i < 180 ? 49 - i / 9 : std::min(50, 31 + (i - 180) / 9)) << i;
  }
  radius = zoom.PlanZoom(kZoomVeryHigh, kZoomFourPhase, false, 100);
  for (int i = 0; i <= 360; ++i) {
    radius = zoom.UpdateZoom(i, kZoomFourPhase, radius, 100);
    EXPECT_EQ(radius, i < 90    ? i + 2
                      : i < 180 ? 180 - i
                      : i < 270 ? i - 178
                                : std::max(360 - i, 1))
        << i;
  }
  EXPECT_EQ(zoom.PlanZoom(kZoomHigh, kZoomOnePhase, false, 0), 1);
  EXPECT_EQ(zoom.UpdateZoom(0, kZoomOnePhase, 1, 0), 0);
}
