#include <cmath>

#include "EngineFixture.h"

using CurveMathTest = EngineTest;

TEST(RandomNumbersTest, MatchesTheWindowsRuntimeAndWrapsModulo2To32) {
  CRandomNumbers random;
  random.Seed(1);
  for (int expected : {41, 18467, 6334, 26500, 19169, 15724}) {
    EXPECT_EQ(random.Next(), expected);
  }
  random.Seed(0xFFFFFFFFu);
  const std::uint32_t state = 0xFFFFFFFFu * 214013u + 2531011u;
  EXPECT_EQ(random.Next(), static_cast<int>((state >> 16) & 0x7FFF));
  EXPECT_EQ(random.State(), state);
}

TEST_F(CurveMathTest, TrigTablesUseTheTenDecimalPiFactorAndQuadrantSymmetry) {
  // Pinned bit for bit: a build whose library or rounding differs would draw other figures.
  // True pi / 180 would give exactly 0.5 for sin 30.
  EXPECT_EQ(wnd.m_sinTable[1], 0x1.1df0b2b87ab8cp-6);
  EXPECT_EQ(wnd.m_sinTable[30], 0x1.ffffffffc6ffcp-2);
  EXPECT_EQ(wnd.m_sinTable[45], 0x1.6a09e667d0d4ep-1);
  EXPECT_EQ(wnd.m_cosTable[45], 0x1.6a09e66816a4bp-1);
  EXPECT_EQ(wnd.m_cosTable[60], 0x1.0000000039004p-1);
  EXPECT_EQ(wnd.m_sinTable[89], 0x1.ffec097f59447p-1);
  for (int i = 1; i < 90; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(wnd.m_sinTable[180 - i], wnd.m_sinTable[i]);
    EXPECT_EQ(wnd.m_sinTable[180 + i], -wnd.m_sinTable[i]);
    EXPECT_EQ(wnd.m_cosTable[180 - i], -wnd.m_cosTable[i]);
    EXPECT_EQ(wnd.m_cosTable[180 + i], -wnd.m_cosTable[i]);
    EXPECT_EQ(wnd.m_sinTable[360 - i], -wnd.m_sinTable[i]);
    EXPECT_EQ(wnd.m_cosTable[360 - i], wnd.m_cosTable[i]);
  }
  // Where the quadrant rules meet, the later write wins: signed zeros, and minus the
  // cosine of 90 degrees (tiny, not 0) at both 90 and 270.
  EXPECT_FALSE(std::signbit(wnd.m_sinTable[0]) || std::signbit(wnd.m_sinTable[360]));
  EXPECT_TRUE(wnd.m_sinTable[180] == 0.0 && std::signbit(wnd.m_sinTable[180]));
  EXPECT_EQ(wnd.m_sinTable[0], 0.0);
  EXPECT_EQ(wnd.m_sinTable[90], 1.0);
  EXPECT_EQ(wnd.m_sinTable[270], -1.0);
  EXPECT_EQ(wnd.m_cosTable[0], 1.0);
  EXPECT_EQ(wnd.m_cosTable[180], -1.0);
  EXPECT_EQ(wnd.m_cosTable[360], 1.0);
  EXPECT_EQ(wnd.m_cosTable[90], -0x1.8aea234c4c663p-35);
  EXPECT_EQ(wnd.m_cosTable[270], -0x1.8aea234c4c663p-35);
}

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
    EXPECT_EQ(std::signbit(wnd.CurveValue(360, kind)), std::signbit(atZero));
  }
  EXPECT_EQ(wnd.CurveValue(0, 11), std::exp(1.0));
  // Kind 18 takes the sine of a inside the exponential and the cosine of 3a outside.
  EXPECT_EQ(wnd.CurveValue(30, 18),
            std::exp(wnd.CurveValue(30, 8) * wnd.m_sinTable[30]) * wnd.m_cosTable[90]);
  // Multiples of the angle wrap around: 4 x 100 = 400 reads entry 40.
  EXPECT_EQ(wnd.CurveValue(100, 8),
            wnd.m_sinTable[200] * wnd.m_sinTable[100] * wnd.m_sinTable[40] * wnd.m_sinTable[40]);
  for (auto [a, kind] : {std::pair{0, 50}, {180, -1}, {0, INT32_MIN}, {-1, 1}, {361, 1}}) {
    EXPECT_EQ(wnd.CurveValue(a, kind), 0.0) << a << " " << kind;
  }
}

TEST_F(CurveMathTest, KindTablePasses2088OrderedPairsAndIsSymmetric) {
  auto clash = [this](int x, int y) {
    wnd.m_kindX = x;
    wnd.m_kindY = y;
    return wnd.KindsClash();
  };
  int passing = 0;
  for (int x = 0; x < 50; ++x) {
    for (int y = 0; y < 50; ++y) {
      ASSERT_EQ(clash(x, y), clash(y, x)) << x << "," << y;
      ASSERT_TRUE(clash(x, y) == 0 || clash(x, y) == 1);
      passing += clash(x, y) == 0 ? 1 : 0;
    }
    EXPECT_EQ(clash(x, x), 1);
  }
  EXPECT_EQ(passing, 2088);
  for (auto [x, y, c] : {std::tuple{0, 32, 1},
                         {1, 3, 0},
                         {12, 9, 1},
                         {35, 38, 0},
                         {38, 37, 1},
                         {0, 31, 0},
                         {0, 40, 0},
                         {46, 16, 0},
                         {46, 15, 1},
                         {46, 39, 0},
                         {46, 40, 1},
                         {5, 14, 1},
                         {5, 16, 0},
                         {48, 41, 0},
                         {48, 42, 1},
                         {30, 32, 0}}) {
    EXPECT_EQ(clash(x, y), c) << x << "," << y;
  }
  // Seed 3 draws 48 and 46 first, which clash (48 rejects 42 to 49), then 44 and 41.
  Seed(3);
  wnd.PickCurveKinds();
  EXPECT_EQ(std::pair(wnd.m_kindX, wnd.m_kindY), std::pair(44, 41));
  for (int i = 0; i < 4; ++i) {
    reference.Next();
  }
  EXPECT_EQ(wnd.m_random.State(), reference.State());
}

TEST_F(CurveMathTest, ColourChannelsTurnAtTheFloorAnd250) {
  settings.m_colourOption = 10;
  wnd.m_colour = {249, 11, 250};
  wnd.m_colourStep = {3, -3, 1};
  wnd.NextColour();
  EXPECT_EQ(wnd.m_colour, (std::array<std::uint8_t, 3>{252, 8, 249}));
  wnd.NextColour();
  EXPECT_EQ(wnd.m_colour, (std::array<std::uint8_t, 3>{249, 11, 248}));
  EXPECT_EQ(wnd.m_colourStep, (std::array<std::int32_t, 3>{-3, 3, -1}));
  // A channel starting on the low floor alternates for ever; 51 never turns going up.
  settings.m_colourOption = 50;
  wnd.m_colour = {50, 51, 169};
  wnd.m_colourStep = {1, 2, 3};
  for (int i = 0; i < 6; ++i) {
    wnd.NextColour();
    EXPECT_EQ(wnd.m_colour[0], i % 2 == 0 ? 49 : 50);
  }
  EXPECT_EQ(wnd.m_colour[1], 63);
}

TEST_F(CurveMathTest, ColourWalkStaysInBoundsForEveryFloorEvenOnesTheSheetNeverWrites) {
  // A floor above 250 negates every step at every update; a negative one lets a falling
  // channel wrap through 0 in 8 bits. Neither stops the walk.
  for (std::int16_t floor : {10, 30, 50, -32768, 300, 32767}) {
    SCOPED_TRACE(floor);
    settings.m_colourOption = floor;
    Seed(static_cast<std::uint16_t>(floor));
    wnd.InitColourWalk();
    for (int i = 0; i < 5000; ++i) {
      wnd.NextColour();
      for (int c = 0; c < 3; ++c) {
        ASSERT_EQ(std::abs(wnd.m_colourStep[c]), c + 1);
        if (floor >= 10 && floor <= 50) {
          ASSERT_GE(wnd.m_colour[c], floor - 2);
          ASSERT_LE(wnd.m_colour[c], 252);
        }
      }
    }
  }
}
