#include "EngineFixture.h"
#include "app/OptionBits.h"

namespace {

// The radius of every circle stamped by the ticks, read back from the Arc boxes.
std::vector<int> StampRadii(const CRecordingSurface& surface) {
  std::vector<int> radii;
  for (const auto& call : surface.calls) {
    if (call.kind == CDrawCall::kArc) {
      radii.push_back((call.v[2] - call.v[0]) / 2);
    }
  }
  return radii;
}

}  // namespace

class ZoomTest : public EngineTest {
 protected:
  // A square drawing area of 500 pixels and circles, so that each stamp shows its radius.
  void RunFigure(double sizeFactor, std::uint32_t zoomOption) {
    settings.m_objectSizeFactor = sizeFactor;
    settings.m_objectShape = OptionBits::kCircle;
    settings.m_zoomOption = zoomOption;
    wnd.OnCreate();
    wnd.OnSize(502, 502);
    for (int i = 0; i <= 360; ++i) {
      wnd.OnTimer(1);
    }
  }
};

TEST_F(ZoomTest, LowTwoPhaseStartLargeTakesSmallSteps) {
  RunFigure(0.1, OptionBits::kZoomLow | OptionBits::kZoomTwoPhase | OptionBits::kZoomStartLarge);
  EXPECT_EQ(wnd.m_bigZoomSteps, 0);
  EXPECT_EQ(wnd.m_zoomStep, 9);
  const auto radii = StampRadii(host.surface);
  ASSERT_EQ(radii.size(), 361u);
  for (int i = 0; i <= 360; ++i) {
    const int expected = i < 180 ? 50 - (i / 9 + 1) : std::min(50, 31 + (i - 180) / 9);
    EXPECT_EQ(radii[i], expected) << "point " << i;
  }
  EXPECT_EQ(radii[8], 49);
  EXPECT_EQ(radii[9], 48);
  EXPECT_EQ(radii[171], 30);
  EXPECT_EQ(radii[180], 31);
  EXPECT_EQ(radii[351], 50);
}

TEST_F(ZoomTest, VeryHighFourPhaseStartSmallTakesBigSteps) {
  RunFigure(0.2,
            OptionBits::kZoomVeryHigh | OptionBits::kZoomFourPhase | OptionBits::kZoomStartSmall);
  EXPECT_EQ(wnd.m_bigZoomSteps, 1);
  EXPECT_EQ(wnd.m_zoomStep, 1);
  const auto radii = StampRadii(host.surface);
  ASSERT_EQ(radii.size(), 361u);
  for (int i = 0; i <= 360; ++i) {
    int expected = 1;
    if (i < 90) {
      expected = i + 2;
    } else if (i < 180) {
      expected = 180 - i;
    } else if (i < 270) {
      expected = i - 178;
    } else if (i < 360) {
      expected = 360 - i;
    }
    EXPECT_EQ(radii[i], expected) << "point " << i;
  }
}

TEST_F(ZoomTest, BigStepsDoNotCarryIntoASmallStepFigure) {
  settings.m_zoomOption = OptionBits::kZoomVeryHigh | OptionBits::kZoomOnePhase;
  wnd.m_zoomLevel = OptionBits::kZoomVeryHigh;
  wnd.m_radius = 400;
  wnd.PlanZoom();
  EXPECT_EQ(wnd.m_bigZoomSteps, 1);
  EXPECT_EQ(wnd.m_zoomStep, 1);  // floor(396 / 360)
  wnd.m_radius = 20;
  wnd.PlanZoom();
  EXPECT_EQ(wnd.m_bigZoomSteps, 0);
  EXPECT_EQ(wnd.m_zoomStep, 19);  // ceil(360 / 19.8)
}

TEST_F(ZoomTest, ZeroRadiusStartSmallStampsOnceAtRadiusZeroThenDrawsAPolyline) {
  settings.m_objectSizeFactor = 0.0;
  settings.m_objectShape = OptionBits::kSquare;
  settings.m_joinTheDots = OptionBits::kJoinBoth;
  settings.m_zoomOption =
      OptionBits::kZoomMedium | OptionBits::kZoomOnePhase | OptionBits::kZoomStartSmall;
  wnd.OnCreate();
  wnd.OnSize(640, 480);
  wnd.OnTimer(1);
  EXPECT_EQ(wnd.m_bigZoomSteps, 1);
  EXPECT_EQ(wnd.m_zoomStep, 0);
  EXPECT_EQ(wnd.m_radius, 0);
  // Point 0: the square's outline collapsed onto the point.
  const CPoint p0 = wnd.PointPixel(0, 1);
  const auto strokes = host.surface.Strokes();
  ASSERT_EQ(strokes.size(), 5u);
  EXPECT_EQ(strokes[0], MoveCall(p0.x, p0.y));
  for (int k = 1; k < 5; ++k) {
    EXPECT_EQ(strokes[k], LineCall(p0.x, p0.y));
  }
  host.surface.calls.clear();
  wnd.OnTimer(1);
  const CPoint p1 = wnd.PointPixel(1, 0);
  EXPECT_EQ(host.surface.Strokes(),
            (std::vector<CDrawCall>{MoveCall(wnd.m_firstPoint.x, wnd.m_firstPoint.y),
                                    LineCall(p1.x, p1.y)}));
}

TEST_F(ZoomTest, UpdateWithoutAStepLeavesTheRadius) {
  wnd.m_bigZoomSteps = 0;
  wnd.m_zoomStep = 0;
  wnd.m_maxRadius = 40;
  wnd.m_radius = 30;
  wnd.m_zoomPhase = 32;
  for (int i = 0; i <= 360; ++i) {
    wnd.m_stepIndex = i;
    wnd.UpdateZoom();
  }
  EXPECT_EQ(wnd.m_radius, 30);
  wnd.m_bigZoomSteps = 1;
  wnd.m_zoomStep = INT32_MAX;
  wnd.m_shrinking = 1;
  wnd.UpdateZoom();
  EXPECT_EQ(wnd.m_radius, 1);
}
