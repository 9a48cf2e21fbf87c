// Lines beyond the reference data: the current position, and clipping that lights exactly
// what the walk would light on an unbounded surface, for end points anywhere in the 32-bit
// range.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "CanvasTestSupport.h"

namespace {

TEST(LineTest, LineToMovesTheCurrentPositionAndAFreshContextStartsAtTheOrigin) {
  // Ties and end pixels in every direction are pinned by the GDI reference lines; the
  // reference has no empty line.
  CRasterCanvas canvas(10, 10);
  DrawLine(canvas, 0xFFFFFF, 5, 5, 5, 5);
  EXPECT_TRUE(LitPixels(canvas).empty());
  DrawLine(canvas, 0xFFFFFF, 1, 1, 4, 1);
  canvas.LineTo(4, 3);
  EXPECT_EQ(LitPixels(canvas), (PixelSet{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}}));
  canvas.BeginContext();
  canvas.SelectPen(0xFFFFFF);
  canvas.LineTo(0, 2);
  EXPECT_NE(canvas.PixelAt(0, 0), 0u);
  EXPECT_NE(canvas.PixelAt(0, 1), 0u);
}

TEST(LineTest, ClippedLinesLightWhatTheWholeWalkLightsOnTheSurface) {
  // The same line on a surface big enough to hold it whole, seen through a window at kOffset.
  constexpr int kOffset = 160;
  CRasterCanvas whole(64 + 2 * kOffset, 64 + 2 * kOffset);
  CRasterCanvas canvas(64, 64);
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> coordinate(-136, 199);
  for (int i = 0; i < 3000; ++i) {
    const int x0 = coordinate(random), y0 = coordinate(random);
    const int x1 = coordinate(random), y1 = coordinate(random);
    // Drawn in white, compared, then drawn again in black to clear it.
    for (ColourRef pen : {0xFFFFFFu, 0u}) {
      DrawLine(canvas, pen, x0, y0, x1, y1);
      DrawLine(whole, pen, x0 + kOffset, y0 + kOffset, x1 + kOffset, y1 + kOffset);
      for (int p = 0; pen != 0 && p < 64 * 64; ++p) {
        ASSERT_EQ(canvas.Pixels()[p], whole.PixelAt(p % 64 + kOffset, p / 64 + kOffset))
            << x0 << ' ' << y0 << ' ' << x1 << ' ' << y1 << " at " << p % 64 << ',' << p / 64;
      }
    }
  }
}

#ifdef __SIZEOF_INT128__
// The walk's minor position after k steps in closed form, in 128-bit arithmetic, as a second
// opinion for lines far too long to walk in a test.
PixelSet ClosedFormOnSurface(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                             int size) {
  const std::int64_t dx = x1 - x0, dy = y1 - y0;
  const bool xMajor = std::abs(dx) > std::abs(dy);
  const __int128 major = std::abs(xMajor ? dx : dy);
  const std::int64_t minorDelta = xMajor ? dy : dx;
  const __int128 minor = std::abs(minorDelta);
  const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int minorStep = minorDelta < 0 ? -1 : 1;
  PixelSet lit;
  // Only k whose major coordinate is on the surface can light anything.
  for (int onSurface = 0; onSurface < size; ++onSurface) {
    const std::int64_t k = (onSurface - (xMajor ? x0 : y0)) * majorStep;
    if (k < 0 || k >= major) {
      continue;
    }
    // Ties go towards the start on a falling minor axis.
    const __int128 numerator = 2 * minor * k - major + (minorDelta < 0 ? 1 : 0);
    __int128 steps = numerator / (2 * major);
    steps += steps * 2 * major < numerator ? 1 : 0;  // ceiling: truncation was a floor here
    const std::int64_t minorPos = (xMajor ? y0 : x0) + minorStep * static_cast<std::int64_t>(steps);
    if (minorPos >= 0 && minorPos < size) {
      lit.insert(xMajor ? std::pair<int, int>{onSurface, static_cast<int>(minorPos)}
                        : std::pair<int, int>{static_cast<int>(minorPos), onSurface});
    }
  }
  return lit;
}

TEST(LineTest, EndPointsAnywhereInTheIntRangeClipExactly) {
  const std::pair<int, int> ends[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX},
                                      {INT_MAX, INT_MIN}, {INT_MIN, 17},      {17, INT_MAX},
                                      {-1000000007, 5},   {5, 999999937},     {40, 30},
                                      {-3, 60},           {INT_MAX, 31},      {INT_MIN + 1, 32}};
  CRasterCanvas canvas(64, 64);
  for (const auto& [x0, y0] : ends) {
    for (const auto& [x1, y1] : ends) {
      canvas.FillRectBlack(0, 0, 64, 64);
      DrawLine(canvas, 0xFFFFFF, x0, y0, x1, y1);
      EXPECT_EQ(LitPixels(canvas), ClosedFormOnSurface(x0, y0, x1, y1, 64))
          << x0 << ' ' << y0 << ' ' << x1 << ' ' << y1;
    }
  }
}
#endif

}  // namespace
