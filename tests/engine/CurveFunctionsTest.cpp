#include <algorithm>
#include <cmath>

#include "EngineFixture.h"

using CurveFunctionsTest = EngineTest;

namespace {

struct KindRange {
  int kind;
  double atZero;
  double smallest;
  double largest;
};

// The value at angle 0 and the extremes over 0..360, to four decimals.
constexpr KindRange kRanges[] = {
    {0, 0, -1.0000, 1.0000},  {1, 1, -1.0000, 1.0000},  {2, 0, -0.3847, 0.3847},
    {3, 0, -0.7436, 0.7436},  {4, 0, -1.0000, 0.1250},  {5, 0, -0.4642, 0.4642},
    {6, 0, -0.0789, 1.0000},  {7, 0, -0.5485, 0.5485},  {8, 0, -0.6733, 0.6733},
    {9, 0, -1.0000, 1.0000},  {10, 1, 0.4631, 2.1592},  {11, 2.7183, 1.0000, 2.7183},
    {12, 1, 0.7092, 1.4100},  {13, 1, 1.0000, 1.8085},  {14, 1, 0.7929, 1.2613},
    {15, 1, 0.8250, 1.2121},  {16, 1, 0.7884, 1.2685},  {17, 1, 0.6496, 1.5393},
    {18, 1, -1.7811, 1.7811}, {19, 1, 0.4185, 2.3894},  {20, 0, -2.0964, 2.0964},
    {21, 0, -1.4585, 1.4585}, {22, 0, -1.0000, 1.0000}, {23, 0, -1.4417, 1.4417},
    {24, 0, -0.7071, 0.7071}, {25, 0, -1.4958, 1.4958}, {26, 0, -2.7183, 2.7183},
    {27, 0, -1.3612, 1.3612}, {28, 0, -1.7879, 1.7879}, {29, 0, -2.7183, 1.4274},
    {30, 0, -2.0940, 2.0940}, {31, 0, -1.8459, 1.8459}, {32, 0, -1.2144, 1.2144},
    {33, 0, -1.7433, 1.7433}, {34, 0, -1.0719, 1.0719}, {35, 0, -1.0937, 1.0937},
    {36, 0, -1.0989, 1.0989}, {37, 0, -1.4988, 1.4988}, {38, 0, -1.1550, 1.1550},
    {39, 0, -0.9350, 2.0733}, {40, 1, -1.4152, 1.0000}, {41, 1, -1.1196, 1.1196},
    {42, 1, -1.0675, 1.0000}, {43, 1, -1.0000, 1.0000}, {44, 1, -2.7183, 1.0000},
    {45, 1, -1.3065, 1.0000}, {46, 1, -2.7183, 1.0000}, {47, 1, -1.2550, 1.0000},
    {48, 1, -1.3284, 1.0000}, {49, 1, -0.6811, 1.0000},
};

}  // namespace

TEST_F(CurveFunctionsTest, EveryKindMatchesItsValueAtZeroAndItsExtremes) {
  for (const auto& range : kRanges) {
    SCOPED_TRACE(range.kind);
    double smallest = wnd.CurveValue(0, range.kind);
    double largest = smallest;
    for (int a = 1; a <= 360; ++a) {
      smallest = std::min(smallest, wnd.CurveValue(a, range.kind));
      largest = std::max(largest, wnd.CurveValue(a, range.kind));
    }
    EXPECT_NEAR(wnd.CurveValue(0, range.kind), range.atZero, 5e-5);
    EXPECT_NEAR(smallest, range.smallest, 5e-5);
    EXPECT_NEAR(largest, range.largest, 5e-5);
    EXPECT_GT(largest, 0.0);
    EXPECT_LT(smallest, largest);
  }
}

TEST_F(CurveFunctionsTest, EveryFigureClosesExactly) {
  for (int kind = 0; kind < 50; ++kind) {
    SCOPED_TRACE(kind);
    const double atZero = wnd.CurveValue(0, kind);
    const double atFull = wnd.CurveValue(360, kind);
    EXPECT_EQ(std::signbit(atZero), std::signbit(atFull));
    EXPECT_EQ(atZero, atFull);
  }
}

TEST_F(CurveFunctionsTest, NamedValues) {
  EXPECT_EQ(wnd.CurveValue(45, 0), 1.0);
  EXPECT_EQ(wnd.CurveValue(180, 1), -1.0);
  EXPECT_EQ(wnd.CurveValue(0, 11), std::exp(1.0));
  EXPECT_EQ(wnd.CurveValue(0, 10), 1.0);
  EXPECT_EQ(wnd.CurveValue(90, 9), -1.0);
  // Kind 18 takes the sine of a inside the exponential and the cosine of 3a outside.
  EXPECT_EQ(wnd.CurveValue(30, 18),
            std::exp(wnd.CurveValue(30, 8) * wnd.m_sinTable[30]) * wnd.m_cosTable[90]);
  // Multiples of the angle wrap around: 4 x 100 = 400 reads entry 40.
  EXPECT_EQ(wnd.CurveValue(100, 8),
            wnd.m_sinTable[200] * wnd.m_sinTable[100] * wnd.m_sinTable[40] * wnd.m_sinTable[40]);
}

TEST_F(CurveFunctionsTest, UnknownKindsAndAnglesGiveZero) {
  for (int a = 0; a <= 360; ++a) {
    EXPECT_EQ(wnd.CurveValue(a, 50), 0.0);
    EXPECT_EQ(wnd.CurveValue(a, -1), 0.0);
  }
  EXPECT_EQ(wnd.CurveValue(0, INT32_MIN), 0.0);
  EXPECT_EQ(wnd.CurveValue(-1, 1), 0.0);
  EXPECT_EQ(wnd.CurveValue(361, 1), 0.0);
}
