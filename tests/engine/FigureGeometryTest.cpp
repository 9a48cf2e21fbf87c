#include <cmath>

#include "EngineFixture.h"

class FigureGeometryTest : public EngineTest {
 protected:
  // A seed whose next two draws give the wanted mirror choices.
  static std::uint32_t SeedForMirrors(int mirrorX, int mirrorY) {
    for (std::uint32_t seed = 0;; ++seed) {
      CRandomNumbers probe;
      probe.Seed(seed);
      const int x = probe.Next() % 2;
      const int y = probe.Next() % 2;
      if (x == mirrorX && y == mirrorY) {
        return seed;
      }
    }
  }

  void PlanWorkedExample(int mirrorX) {
    wnd.OnSize(640, 480);
    wnd.m_kindX = 1;
    wnd.m_kindY = 0;
    Seed(SeedForMirrors(mirrorX, 0));
    wnd.ComputeCurvePoints();
  }
};

TEST_F(FigureGeometryTest, WorkedExampleAt640x480) {
  PlanWorkedExample(0);
  EXPECT_EQ(wnd.m_drawWidth, 638);
  EXPECT_EQ(wnd.m_drawHeight, 478);
  EXPECT_EQ(wnd.m_radius, 38);
  EXPECT_EQ(wnd.m_maxRadius, 38);
  EXPECT_EQ(wnd.m_scaleX, 281.0);
  EXPECT_EQ(wnd.m_scaleY, 201.0);
  EXPECT_EQ(wnd.m_firstPoint.x, 600);
  EXPECT_EQ(wnd.m_firstPoint.y, 239);
  struct Expected {
    int i, x, y;
  };
  for (const auto& e : {Expected{0, 601, 240}, Expected{45, 518, 441}, Expected{90, 319, 240},
                        Expected{135, 121, 39}}) {
    const CPoint p = wnd.PointPixel(e.i, wnd.m_radius);
    EXPECT_EQ(p.x, e.x) << e.i;
    EXPECT_EQ(p.y, e.y) << e.i;
  }
  EXPECT_EQ(wnd.m_random.State(), (reference.Next(), reference.Next(), reference.State()));
}

TEST_F(FigureGeometryTest, MirroredXStartsAtTheLeftEdge) {
  PlanWorkedExample(1);
  const CPoint p = wnd.PointPixel(0, wnd.m_radius);
  EXPECT_EQ(p.x, 39);
  EXPECT_EQ(p.y, 240);
  // Mirroring flips within the range, so the extremes still bound every point.
  for (int i = 0; i <= 360; ++i) {
    EXPECT_GE(wnd.m_curveX[i], wnd.m_minX);
    EXPECT_LE(wnd.m_curveX[i], wnd.m_maxX);
  }
}

TEST_F(FigureGeometryTest, AreaSmallerThanTwoRadiiGivesANegativeScale) {
  settings.m_objectSizeFactor = 2.0;
  wnd.OnSize(100, 80);
  EXPECT_EQ(wnd.m_radius, 156);
  wnd.m_kindX = 1;
  wnd.m_kindY = 0;
  Seed(SeedForMirrors(0, 0));
  wnd.ComputeCurvePoints();
  EXPECT_LT(wnd.m_scaleX, 0.0);
  EXPECT_LT(wnd.m_scaleY, 0.0);
}

TEST_F(FigureGeometryTest, SizesTheSheetNeverWritesKeepTheRadiusBounded) {
  struct Case {
    double factor;
    int cx, cy;
    int radius;
  };
  for (const auto& c :
       {Case{42949672.95, 640, 480, 5 * 478}, Case{-1.0, 640, 480, 0}, Case{NAN, 640, 480, 0},
        Case{0.08, 1, 1, 0}, Case{5.0, 1, 1, 0}, Case{5.0, 2, 2, 0}, Case{1e300, 3, 3, 5},
        Case{5.0, INT32_MAX, INT32_MAX, 5 * ((1 << 24) - 2)}}) {
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
}

TEST_F(FigureGeometryTest, ZeroAndNegativeSizesKeepThePreviousArea) {
  wnd.OnSize(640, 480);
  for (auto [cx, cy] : {std::pair{0, 0}, std::pair{0, 300}, std::pair{300, 0}, std::pair{-5, 300},
                        std::pair{INT32_MIN, INT32_MIN}}) {
    wnd.OnSize(cx, cy);
    EXPECT_EQ(wnd.m_drawWidth, 638);
    EXPECT_EQ(wnd.m_drawHeight, 478);
    EXPECT_EQ(wnd.m_radius, 38);
  }
}
