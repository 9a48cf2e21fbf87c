#include <cmath>
#include <functional>

#include "EngineFixture.h"
#include "settings/OptionBits.h"

class FigureTest : public EngineTest {
 protected:
  // Kinds 1 and 0 at 640x480, with a seed whose next two draws give the wanted mirrors.
  void PlanWorkedExample(int mirrorX, double sizeFactor = 0.08, int cx = 640, int cy = 480) {
    settings.m_objectSizeFactor = sizeFactor;
    wnd.OnSize(cx, cy);
    wnd.m_kindX = 1;
    wnd.m_kindY = 0;
    for (std::uint32_t seed = 0;; ++seed) {
      reference.Seed(seed);
      const int x = reference.Next() % 2;
      if (x == mirrorX && reference.Next() % 2 == 0) {
        Seed(seed);
        break;
      }
    }
    wnd.ComputeCurvePoints();
  }

  // A square drawing area of 500 pixels and circles, so that each stamp shows its radius.
  std::vector<int> ZoomRadii(double sizeFactor, std::uint32_t zoomOption) {
    settings.m_objectSizeFactor = sizeFactor;
    settings.m_objectShape = OptionBits::kCircle;
    settings.m_zoomOption = zoomOption;
    Create(502, 502);
    Ticks(361);
    std::vector<int> radii;
    for (const auto& call : host.surface.calls) {
      if (call.kind == CDrawCall::kArc) {
        radii.push_back((call.v[2] - call.v[0]) / 2);
      }
    }
    return radii;
  }
};

TEST_F(FigureTest, WorkedExampleAt640x480AndItsMirror) {
  PlanWorkedExample(0);
  EXPECT_EQ(std::tuple(wnd.m_drawWidth, wnd.m_drawHeight, wnd.m_radius, wnd.m_maxRadius,
                       wnd.m_scaleX, wnd.m_scaleY, wnd.m_firstPoint.x, wnd.m_firstPoint.y),
            std::tuple(638, 478, 38, 38, 281.0, 201.0, 600, 239));
  EXPECT_EQ(wnd.m_random.State(), (reference.Next(), reference.Next(), reference.State()));
  for (auto [i, x, y] : {std::tuple{0, 601, 240}, {45, 518, 441}, {90, 319, 240}, {135, 121, 39}}) {
    const CPoint p = wnd.PointPixel(i, wnd.m_radius);
    EXPECT_EQ(std::pair(p.x, p.y), std::pair(x, y)) << i;
  }
  // Mirroring flips within the range, so the extremes still bound every point.
  PlanWorkedExample(1);
  const CPoint p = wnd.PointPixel(0, wnd.m_radius);
  EXPECT_EQ(std::pair(p.x, p.y), std::pair(39, 240));
  for (int i = 0; i <= 360; ++i) {
    EXPECT_TRUE(wnd.m_curveX[i] >= wnd.m_minX && wnd.m_curveX[i] <= wnd.m_maxX) << i;
  }
  // An area smaller than two radii turns the scale negative.
  PlanWorkedExample(0, 2.0, 100, 80);
  EXPECT_EQ(wnd.m_radius, 156);
  EXPECT_LT(wnd.m_scaleX, 0.0);
  EXPECT_LT(wnd.m_scaleY, 0.0);
}

TEST_F(FigureTest, SizesTheSheetNeverWritesKeepTheRadiusBounded) {
  struct {
    double factor;
    int cx, cy, radius;
  } const cases[] = {{42949672.95, 640, 480, (1 << 30) - 1},
                     {6.0, 640, 480, 2868},
                     {10.0, 640, 480, 4780},
                     {-1.0, 640, 480, 0},
                     {NAN, 640, 480, 0},
                     {0.08, 1, 1, 0},
                     {5.0, 1, 1, 0},
                     {5.0, 2, 2, 0},
                     {1e300, 3, 3, (1 << 30) - 1},
                     {5.0, INT32_MAX, INT32_MAX, 5 * ((1 << 24) - 2)}};
  for (const auto& c : cases) {
    settings.m_objectSizeFactor = c.factor;
    wnd.OnSize(c.cx, c.cy);
    EXPECT_EQ(wnd.m_radius, c.radius) << c.factor << " " << c.cx;
    for (int kind = 0; kind < 50; kind += 7) {
      wnd.m_kindX = kind;
      wnd.m_kindY = 49 - kind;
      wnd.ComputeCurvePoints();
      for (int i = 0; i <= 360; ++i) {
        wnd.PointPixel(i, wnd.m_radius);
      }
    }
  }
  // Zero and negative sizes keep the previous area.
  settings.m_objectSizeFactor = 0.08;
  wnd.OnSize(640, 480);
  for (auto [cx, cy] : {std::pair{0, 0}, {0, 300}, {300, 0}, {-5, 300}, {INT32_MIN, INT32_MIN}}) {
    wnd.OnSize(cx, cy);
    EXPECT_EQ(std::tuple(wnd.m_drawWidth, wnd.m_drawHeight, wnd.m_radius),
              std::tuple(638, 478, 38));
  }
}

TEST_F(FigureTest, PickersTakeASingleOptionOrAnEmptyMaskWithoutDrawing) {
  Seed(99);
  for (std::uint32_t shape = 2; shape <= 256; shape <<= 1) {
    settings.m_objectShape = shape;
    EXPECT_EQ(wnd.PickShape(), static_cast<int>(shape));
  }
  for (std::uint32_t rotation : {2u, 4u, 8u}) {
    settings.m_objectRotation = rotation;
    EXPECT_EQ(wnd.PickRotation(), static_cast<int>(rotation));
  }
  for (std::int16_t join : {2, 1, 4}) {
    settings.m_joinTheDots = join;
    EXPECT_EQ(wnd.PickJoinMode(), join);
  }
  settings.m_zoomOption = OptionBits::kZoomStartLarge | OptionBits::kAllZoomPhases;
  EXPECT_EQ(wnd.PickZoomLevel(), 0);
  EXPECT_EQ(wnd.PickZoomStart(), 512);
  // Masks without a candidate give one at once; -8 is 0xFFF8, without a join bit.
  for (std::uint32_t shape : {0u, 0x201u}) {
    settings.m_objectShape = shape;
    EXPECT_EQ(wnd.PickShape(), 2);
  }
  settings.m_objectRotation = 0xF0;
  EXPECT_EQ(wnd.PickRotation(), 2);
  for (std::int16_t join : {0, -8}) {
    settings.m_joinTheDots = join;
    EXPECT_EQ(wnd.PickJoinMode(), 2);
  }
  settings.m_zoomOption = 0;
  EXPECT_EQ(wnd.PickZoomStart(), 512);
  EXPECT_EQ(wnd.m_random.State(), reference.State());
  // A level without any phase zooms in one phase.
  settings.m_zoomOption = OptionBits::kZoomHigh;
  EXPECT_EQ(wnd.PickZoomPhase(), 32);
  // Stray bits beside one option take the random path.
  settings.m_objectShape = OptionBits::kTriangle | 1;
  EXPECT_EQ(wnd.PickShape(), 8);
  EXPECT_NE(wnd.m_random.State(), reference.State());
  settings.m_objectShape = 0xFFFFFFFFu;
  for (int i = 0; i < 20; ++i) {
    const int shape = wnd.PickShape();
    EXPECT_TRUE(shape >= 2 && shape <= 256 && (shape & (shape - 1)) == 0) << shape;
  }
}

TEST_F(FigureTest, PickersRedrawUntilAnEnabledBitEvenForASingleZoomChoice) {
  settings.m_objectShape = OptionBits::kCircle | OptionBits::kSquare;
  settings.m_objectRotation = OptionBits::kRotateClockwise | OptionBits::kRotateAntiClockwise;
  settings.m_joinTheDots = 3;
  settings.m_zoomOption =
      OptionBits::kZoomLow | OptionBits::kZoomTwoPhase | OptionBits::kZoomStartSmall;
  struct {
    std::function<int()> pick;
    std::uint32_t mask;
    int modulus, firstBit;
  } const cases[] = {
      {[&] { return wnd.PickShape(); }, 6, 8, 1},
      {[&] { return wnd.PickRotation(); }, 12, 3, 1},
      {[&] { return static_cast<int>(wnd.PickJoinMode()); }, 3, 3, 0},
      {[&] { return wnd.PickZoomLevel(); }, 2, 4, 1},
      {[&] { return wnd.PickZoomPhase() == wnd.m_zoomPhase ? wnd.m_zoomPhase : -1; }, 64, 3, 5},
      {[&] { return wnd.PickZoomStart(); }, 256, 2, 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.modulus * 100 + c.firstBit);
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
      Seed(seed);
      int expected = 0;
      do {
        expected = 1 << (reference.Next() % c.modulus + c.firstBit);
      } while ((expected & c.mask) == 0);
      EXPECT_EQ(c.pick(), expected);
      EXPECT_EQ(wnd.m_random.State(), reference.State());
    }
  }
}

TEST_F(FigureTest, LowTwoPhaseStartLargeTakesSmallSteps) {
  const auto radii = ZoomRadii(
      0.1, OptionBits::kZoomLow | OptionBits::kZoomTwoPhase | OptionBits::kZoomStartLarge);
  EXPECT_EQ(std::pair(wnd.m_bigZoomSteps, wnd.m_zoomStep), std::pair(0, 9));
  ASSERT_EQ(radii.size(), 361u);
  for (int i = 0; i <= 360; ++i) {
    EXPECT_EQ(radii[i], i < 180 ? 50 - (i / 9 + 1) : std::min(50, 31 + (i - 180) / 9)) << i;
  }
  EXPECT_EQ(std::tuple(radii[8], radii[9], radii[171], radii[180], radii[351]),
            std::tuple(49, 48, 30, 31, 50));
}

TEST_F(FigureTest, VeryHighFourPhaseStartSmallTakesBigSteps) {
  const auto radii = ZoomRadii(
      0.2, OptionBits::kZoomVeryHigh | OptionBits::kZoomFourPhase | OptionBits::kZoomStartSmall);
  EXPECT_EQ(std::pair(wnd.m_bigZoomSteps, wnd.m_zoomStep), std::pair(1, 1));
  ASSERT_EQ(radii.size(), 361u);
  for (int i = 0; i <= 360; ++i) {
    const int expected = i < 90    ? i + 2
                         : i < 180 ? 180 - i
                         : i < 270 ? i - 178
                         : i < 360 ? 360 - i
                                   : 1;
    EXPECT_EQ(radii[i], expected) << i;
  }
}

TEST_F(FigureTest, ZoomStepsFollowTheRadiusAndUpdatesWithoutAStepLeaveIt) {
  settings.m_zoomOption = OptionBits::kZoomVeryHigh | OptionBits::kZoomOnePhase;
  wnd.m_zoomLevel = OptionBits::kZoomVeryHigh;
  wnd.m_radius = 400;
  wnd.PlanZoom();
  EXPECT_EQ(std::pair(wnd.m_bigZoomSteps, wnd.m_zoomStep), std::pair(1, 1));  // 396 / 360
  wnd.m_radius = 20;
  wnd.PlanZoom();
  EXPECT_EQ(std::pair(wnd.m_bigZoomSteps, wnd.m_zoomStep), std::pair(0, 19));  // 360 / 19.8

  wnd.m_bigZoomSteps = 0;
  wnd.m_zoomStep = 0;
  wnd.m_maxRadius = 40;
  wnd.m_radius = 30;
  wnd.m_zoomPhase = 32;
  for (wnd.m_stepIndex = 0; wnd.m_stepIndex <= 360; ++wnd.m_stepIndex) {
    wnd.UpdateZoom();
  }
  EXPECT_EQ(wnd.m_radius, 30);
  wnd.m_bigZoomSteps = 1;
  wnd.m_zoomStep = INT32_MAX;
  wnd.m_shrinking = 1;
  wnd.UpdateZoom();
  EXPECT_EQ(wnd.m_radius, 1);
}
