#include <cmath>

#include "EngineFixture.h"

using CurveMathTest = EngineTest;

namespace {

// Each kind's value at angle 0 and its extremes over 0..360, to four decimals.
constexpr struct {
  double atZero, smallest, largest;
} kRanges[50] = {
    {0, -1.0000, 1.0000}, {1, -1.0000, 1.0000}, {0, -0.3847, 0.3847}, {0, -0.7436, 0.7436},
    {0, -1.0000, 0.1250}, {0, -0.4642, 0.4642}, {0, -0.0789, 1.0000}, {0, -0.5485, 0.5485},
    {0, -0.6733, 0.6733}, {0, -1.0000, 1.0000}, {1, 0.4631, 2.1592},  {2.7183, 1.0000, 2.7183},
    {1, 0.7092, 1.4100},  {1, 1.0000, 1.8085},  {1, 0.7929, 1.2613},  {1, 0.8250, 1.2121},
    {1, 0.7884, 1.2685},  {1, 0.6496, 1.5393},  {1, -1.7811, 1.7811}, {1, 0.4185, 2.3894},
    {0, -2.0964, 2.0964}, {0, -1.4585, 1.4585}, {0, -1.0000, 1.0000}, {0, -1.4417, 1.4417},
    {0, -0.7071, 0.7071}, {0, -1.4958, 1.4958}, {0, -2.7183, 2.7183}, {0, -1.3612, 1.3612},
    {0, -1.7879, 1.7879}, {0, -2.7183, 1.4274}, {0, -2.0940, 2.0940}, {0, -1.8459, 1.8459},
    {0, -1.2144, 1.2144}, {0, -1.7433, 1.7433}, {0, -1.0719, 1.0719}, {0, -1.0937, 1.0937},
    {0, -1.0989, 1.0989}, {0, -1.4988, 1.4988}, {0, -1.1550, 1.1550}, {0, -0.9350, 2.0733},
    {1, -1.4152, 1.0000}, {1, -1.1196, 1.1196}, {1, -1.0675, 1.0000}, {1, -1.0000, 1.0000},
    {1, -2.7183, 1.0000}, {1, -1.3065, 1.0000}, {1, -2.7183, 1.0000}, {1, -1.2550, 1.0000},
    {1, -1.3284, 1.0000}, {1, -0.6811, 1.0000},
};

}  // namespace

TEST_F(CurveMathTest, EveryKindMatchesItsValueAtZeroAndItsExtremesAndClosesExactly) {
  for (int kind = 0; kind < 50; ++kind) {
    SCOPED_TRACE(kind);
    const double atZero = wnd.CurveValue(0, kind);
    double smallest = atZero;
    double largest = atZero;
    for (int a = 1; a <= 360; ++a) {
      smallest = std::min(smallest, wnd.CurveValue(a, kind));
      largest = std::max(largest, wnd.CurveValue(a, kind));
    }
    EXPECT_NEAR(atZero, kRanges[kind].atZero, 5e-5);
    EXPECT_NEAR(smallest, kRanges[kind].smallest, 5e-5);
    EXPECT_NEAR(largest, kRanges[kind].largest, 5e-5);
    EXPECT_EQ(wnd.CurveValue(360, kind), atZero);
  }
  for (auto [a, kind] : {std::pair{0, 50}, {180, -1}, {-1, 1}, {361, 1}}) {
    EXPECT_EQ(wnd.CurveValue(a, kind), 0.0) << a << " " << kind;
  }
}

TEST_F(CurveMathTest, KindTableRejects412OrderedPairsSymmetrically) {
  // The clashing pairs' number, and a weighted sum that tells which pairs they are.
  int clashes = 0;
  long which = 0;
  for (wnd.m_kindX = 0; wnd.m_kindX < 50; ++wnd.m_kindX) {
    for (wnd.m_kindY = 0; wnd.m_kindY < 50; ++wnd.m_kindY) {
      const int clash = wnd.KindsClash();
      std::swap(wnd.m_kindX, wnd.m_kindY);
      ASSERT_EQ(wnd.KindsClash(), clash) << wnd.m_kindX << "," << wnd.m_kindY;
      std::swap(wnd.m_kindX, wnd.m_kindY);
      clashes += clash;
      which += clash * (wnd.m_kindX * 64 + wnd.m_kindY) * (wnd.m_kindX + 1);
    }
  }
  EXPECT_EQ(std::pair(clashes, which), std::pair(412, 22392484L));
}
