// Clipping a line before walking it must light exactly what the walk would light on an
// unbounded surface, for end points anywhere in the 32-bit range.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>

#include "GdiReference.h"

namespace {

void DrawLine(CRasterCanvas& canvas, ColourRef pen, int x0, int y0, int x1, int y1) {
  canvas.BeginContext();
  canvas.SelectPen(pen);
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
}

TEST(LineClipTest, ClippedLinesLightWhatTheWholeWalkLightsOnTheSurface) {
  // The same line on a surface big enough to hold it whole, seen through a window at `offset`.
  constexpr int kOffset = 160;
  CRasterCanvas whole(64 + 2 * kOffset, 64 + 2 * kOffset);
  CRasterCanvas canvas(64, 64);
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> coordinate(-136, 199);
  for (int i = 0; i < 3000; ++i) {
    const int x0 = coordinate(random);
    const int y0 = coordinate(random);
    const int x1 = coordinate(random);
    const int y1 = coordinate(random);
    DrawLine(canvas, 0xFFFFFF, x0, y0, x1, y1);
    DrawLine(whole, 0xFFFFFF, x0 + kOffset, y0 + kOffset, x1 + kOffset, y1 + kOffset);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        ASSERT_EQ(canvas.PixelAt(x, y), whole.PixelAt(x + kOffset, y + kOffset))
            << x0 << ' ' << y0 << ' ' << x1 << ' ' << y1 << " at " << x << ',' << y;
      }
    }
    // Drawing the line again in black clears it.
    DrawLine(canvas, 0, x0, y0, x1, y1);
    DrawLine(whole, 0, x0 + kOffset, y0 + kOffset, x1 + kOffset, y1 + kOffset);
  }
}

#ifdef __SIZEOF_INT128__
// The walk's minor position after k steps in closed form, in 128-bit arithmetic, as a second
// opinion for lines far too long to walk in a test.
PixelSet ClosedFormOnSurface(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                             int size) {
  const std::int64_t dx = x1 - x0;
  const std::int64_t dy = y1 - y0;
  const bool xMajor = (dx < 0 ? -dx : dx) > (dy < 0 ? -dy : dy);
  const __int128 major = xMajor ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy);
  const std::int64_t minorDelta = xMajor ? dy : dx;
  const __int128 minor = minorDelta < 0 ? -minorDelta : minorDelta;
  const int tie = minorDelta < 0 ? 1 : 0;
  const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int minorStep = minorDelta < 0 ? -1 : 1;
  PixelSet lit;
  // Only k whose major coordinate is on the surface can light anything.
  for (int onSurface = 0; onSurface < size; ++onSurface) {
    const std::int64_t k = (onSurface - (xMajor ? x0 : y0)) * majorStep;
    if (k < 0 || k >= major) {
      continue;
    }
    __int128 numerator = 2 * minor * k - major + tie;
    __int128 steps = numerator / (2 * major);
    if (steps * 2 * major < numerator) {
      ++steps;  // ceiling; the numerator is at least -major, so truncation was a floor
    }
    const std::int64_t minorPos = (xMajor ? y0 : x0) + minorStep * static_cast<std::int64_t>(steps);
    if (minorPos >= 0 && minorPos < size) {
      lit.insert(xMajor ? std::pair<int, int>{onSurface, static_cast<int>(minorPos)}
                        : std::pair<int, int>{static_cast<int>(minorPos), onSurface});
    }
  }
  return lit;
}

TEST(LineClipTest, EndPointsAnywhereInTheIntRangeClipExactly) {
  const std::pair<int, int> ends[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX},
                                      {INT_MAX, INT_MIN}, {INT_MIN, 17},      {17, INT_MAX},
                                      {-1000000007, 5},   {5, 999999937},     {40, 30},
                                      {-3, 60},           {INT_MAX, 31},      {INT_MIN + 1, 32}};
  CRasterCanvas canvas(64, 64);
  for (const auto& [x0, y0] : ends) {
    for (const auto& [x1, y1] : ends) {
      canvas.FillRectBlack(0, 0, 64, 64);
      canvas.SelectPen(0xFFFFFF);
      canvas.MoveTo(x0, y0);
      canvas.LineTo(x1, y1);
      EXPECT_EQ(LitPixels(canvas), ClosedFormOnSurface(x0, y0, x1, y1, 64))
          << x0 << ' ' << y0 << ' ' << x1 << ' ' << y1;
    }
  }
}
#endif

TEST(LineClipTest, LinesOnAnEmptySurfaceAreSafe) {
  CRasterCanvas canvas(0, 0);
  canvas.SelectPen(0xFFFFFF);
  canvas.MoveTo(INT_MIN, INT_MIN);
  canvas.LineTo(INT_MAX, INT_MAX);
  canvas.LineTo(0, 0);
  CRect dirty;
  canvas.TakeDirtyRect(dirty);
  EXPECT_EQ(canvas.TakeDirtyRect(dirty), 0);
}

}  // namespace
