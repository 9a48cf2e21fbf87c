// The canvas beyond the GDI reference: pens, fills, the changed rectangle and resizing; lines
// from anywhere in the 32-bit range; ellipses, partial arcs and boxes far too big to walk.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <tuple>

#include "CanvasTestSupport.h"
#include "canvas/LargeEllipseRaster.h"
#include "canvas/LitPixels.h"
#include "canvas/PixelTarget.h"
#include "canvas/WideMath.h"

namespace {

PixelSet ArcOn(int size, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  CRasterCanvas canvas(size, size);
  canvas.SelectPen(0xFFFFFF);
  canvas.Arc(left, top, right, bottom, xs, ys, xe, ye);
  return LitPixels(canvas);
}

TEST(CanvasTest, PensAreColourRefsRestoredInTurnAndAFreshContextStartsBlackAtTheOrigin) {
  CRasterCanvas canvas(4, 2);
  canvas.SelectPen(0xAA112233);  // the COLORREF's top byte is not a colour
  canvas.SelectPen(0x0000FF);
  canvas.RestorePen();
  canvas.LineTo(3, 0);
  canvas.RestorePen();
  canvas.RestorePen();  // nothing left to restore: the default black pen
  canvas.MoveTo(1, 0);
  canvas.LineTo(2, 0);
  canvas.BeginContext();
  canvas.SelectPen(0xFF0000);
  canvas.LineTo(0, 2);
  EXPECT_EQ(std::vector<std::uint32_t>(canvas.Pixels(), canvas.Pixels() + 8),
            (std::vector<std::uint32_t>{0xFF, 0, 0x332211, 0, 0xFF, 0, 0, 0}));
}

TEST(CanvasTest, FillsClipResizesKeepThePictureAndTheDirtyRectHoldsWhatChanged) {
  CRasterCanvas canvas(6, 6);
  CRect rect;
  auto take = [&] {
    const int changed = canvas.TakeDirtyRect(rect);
    return std::tuple(changed, rect.left, rect.top, rect.right, rect.bottom);
  };
  EXPECT_EQ(take(), std::tuple(1, 0, 0, 6, 6));  // a new surface has never been shown
  canvas.SelectPen(0xFFFFFF);
  for (int y = 0; y < 6; ++y) {
    canvas.MoveTo(0, y);
    canvas.LineTo(y == 3 ? 4 : 6, y);
  }
  EXPECT_EQ(take(), std::tuple(1, 0, 0, 6, 6));
  canvas.FillRectBlack(1, 1, 3, 4);
  canvas.FillRectBlack(5, 5, 2, 2);  // inverted: nothing
  canvas.FillRectBlack(INT_MIN, 5, 1, INT_MAX);
  canvas.FillRectBlack(4, 3, 6, 4);  // already black: no change
  EXPECT_EQ(take(), std::tuple(1, 0, 1, 3, 6));
  canvas.MoveTo(1, 3);
  canvas.LineTo(3, 3);
  EXPECT_EQ(take(), std::tuple(1, 1, 3, 3, 4));
  EXPECT_EQ(take(), std::tuple(0, 0, 0, 0, 0));
  ASSERT_EQ(canvas.Resize(2, 7), 1);
  EXPECT_EQ(take(), std::tuple(1, 0, 0, 2, 7));
  const CRect& lit = canvas.LitRect();  // cut to the new size, and emptied by a fill that covers it
  EXPECT_EQ(std::tuple(lit.left, lit.top, lit.right, lit.bottom), std::tuple(0, 0, 2, 6));
  EXPECT_EQ(LitPixels(canvas),
            (PixelSet{{0, 0}, {1, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 3}, {0, 4}, {1, 4}, {1, 5}}));
  canvas.Resize(2, 7);
  EXPECT_EQ(std::get<0>(take()), 0);
  ASSERT_EQ(canvas.Resize(2, 9), 1);  // one side kept is a new size all the same
  EXPECT_EQ(canvas.Height(), 9);
  canvas.FillRectBlack(0, 0, 2, 6);
  EXPECT_TRUE(LitPixels(canvas).empty() && lit.IsEmpty());
  // A screen's worth comes in a block of huge pages of its own, and starts black too.
  EXPECT_TRUE(LitPixels(CRasterCanvas(1024, 1024)).empty());
  ASSERT_EQ(canvas.Resize(-7, CRasterCanvas::kMaxSide + 1), 1);
  EXPECT_EQ(std::pair(canvas.Width(), canvas.Height()), std::pair(0, CRasterCanvas::kMaxSide));
  canvas.LineTo(INT_MAX, INT_MAX);
  canvas.Arc(-5, -5, 5, 5, 0, 0, 0, 0);
  canvas.FillRectBlack(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(std::get<0>(take()), 0);
}

TEST(CanvasTest, LinesFromAnywhereInTheIntRangeLightWhatTheirShortMiddleLights) {
  // A line between lattice points of its own slope takes the same minor steps near the surface
  // whether its ends lie a hundred pixels away or two billion.
  for (auto [a, b] : {std::pair{1, 0}, {0, -1}, {3, 1}, {-1, 3}, {7, -5}, {-2, -2}, {1000, 999}}) {
    const int major = std::max(std::abs(a), std::abs(b));
    const int far = (INT_MAX - 100) / major;
    const int near = 100 / major + 1;
    for (auto [x, y] : {std::pair{30, 20}, {-40, 70}, {5, 63}}) {
      EXPECT_EQ(LineOn(64, x - far * a, y - far * b, x + far * a, y + far * b),
                LineOn(64, x - near * a, y - near * b, x + near * a, y + near * b))
          << a << ',' << b << " through " << x << ',' << y;
    }
  }
}

TEST(CanvasTest, WideProductsDivideAndCompareExactlyAtTheEdgesOfTheirRanges) {
  // factor1, factor2, addend, divisor, quotient, remainder; the products, or the sums, pass 2^64.
  const std::int64_t cases[][6] = {
      {0x3FFFFFFFF, 0xFFFFFFFF, 0x3FFFFFFFF, 0x3FFFFFFFF, 1LL << 32, 0},
      {0x300000005, 0xFFFFFFFF, 7, 0x3FFFFFFFD, 3221225473, 1073741829},
      {0x200003039, 0x80000063, 0x3FFFFFFFB, 0x200000001, 2147486835, 1218963},
      {0x100000001, 0xFFFFFFFF, 0x3FFFFFFFF, 0x3FFFFFFFF, 1073741825, 1073741823},
      {5, 7, 3, 4, 9, 2}};
  for (const auto& [factor1, factor2, addend, divisor, quotient, remainder] : cases) {
    const SFloorDivision got = FloorMulAddDiv(factor1, factor2, addend, divisor);
    EXPECT_EQ(std::pair(got.quotient, got.remainder), std::pair(quotient, remainder)) << factor1;
  }
  // The sign of a * b - c * d where the products are 2^68 apart by 1 or equal in mixed signs,
  // and of unrelated factors whose products, near 2^122, lie less than 2^63 apart.
  constexpr std::int64_t kMax = INT64_MAX;
  const std::int64_t signs[][5] = {
      {(1LL << 34) + 1, (1LL << 34) - 1, 1LL << 34, 1LL << 34, -1},
      {-(1LL << 35), (1LL << 33) + 1, -(1LL << 34), (1LL << 34) + 2, 0},
      {-3, 5, 2, -7, -1},
      {0, 9, -1, 1, 1},
      {kMax, kMax, kMax, kMax - 1, 1},
      {-kMax, 2, kMax, -2, 0},
      {1531955757627039194, 3511183551157608796, 7413275863073852992, 725587170453805860, -1}};
  for (const auto& [a, b, c, d, sign] : signs) {
    EXPECT_EQ(SignOfProductDifference(a, b, c, d), sign) << a << ' ' << c;
  }
}

TEST(CanvasTest, BoxCornersInAnyOrderDrawTheSameEllipseAndEmptyBoxesNothing) {
  const PixelSet ordered = ArcOn(64, 5, 10, 50, 40, 0, 0, 0, 0);
  EXPECT_EQ(ArcOn(64, 50, 40, 5, 10, 0, 0, 0, 0), ordered);
  EXPECT_EQ(ArcOn(64, 50, 10, 5, 40, 0, 0, 0, 0), ordered);
  EXPECT_EQ(ordered.begin()->first, 5);
  EXPECT_EQ(ordered.rbegin()->first, 49);
  // Thin and small ellipses: the walk's steps left and down both show in the count.
  for (auto [right, bottom, lit] :
       {std::tuple{5, 9, 0u}, {9, 5, 0u}, {6, 6, 0u}, {8, 6, 3u}, {10, 11, 13u}, {9, 12, 9u}}) {
    EXPECT_EQ(ArcOn(16, 5, 5, right, bottom, 0, 0, 0, 0).size(), lit) << right << ',' << bottom;
  }
}

TEST(CanvasTest, ArcsRunCounterClockwiseFromTheStartRadialToTheEndOne) {
  // Eighths of a circle from the right middle round, between radials through its middle and its
  // diagonals; each stays in its own quarter, and the points on a radial go where GDI puts them.
  const int radials[][2] = {{60, 30}, {45, 15}, {30, 0},  {15, 15},
                            {0, 30},  {15, 45}, {30, 60}, {45, 45}};
  const unsigned lit[] = {13, 12, 14, 12, 14, 14, 12, 13};
  for (int i = 0; i < 8; ++i) {
    const auto& [xs, ys] = radials[i];
    const auto& [xe, ye] = radials[(i + 1) % 8];
    const PixelSet eighth = ArcOn(64, 10, 10, 50, 50, xs, ys, xe, ye);
    EXPECT_EQ(eighth.size(), lit[i]) << i;
    const bool right = i < 2 || i > 5, upper = i < 4;
    for (const auto& [x, y] : eighth) {
      EXPECT_TRUE((right ? x >= 31 : x <= 30) && (upper ? y <= 29 : y >= 29)) << x << ',' << y;
    }
  }
}

// Whether every pixel of `from` has one of `to` next to it or on it.
bool CloseTo(const PixelSet& from, const PixelSet& to) {
  return std::all_of(from.begin(), from.end(), [&to](const std::pair<int, int>& p) {
    for (int d = 0; d < 9; ++d) {
      if (to.count({p.first + d % 3 - 1, p.second + d / 3 - 1}) != 0) {
        return true;
      }
    }
    return false;
  });
}

TEST(CanvasTest, OversizedEllipsesDrawACloseOutlineRowByRow) {
  // The row-by-row outline used for boxes too big to walk, tried on boxes that can be walked,
  // not a few pixels wide: GDI's walk stops short of their ends there. The box, the radials
  // (a whole ellipse where they meet) and how many pixels the outline has.
  const int arcs[][9] = {{4, 4, 60, 60, 0, 0, 0, 0, 152},   {2, 20, 62, 31, 0, 0, 0, 0, 118},
                         {30, 1, 35, 63, 0, 0, 0, 0, 120},  {0, 0, 64, 64, 0, 0, 0, 0, 176},
                         {0, 30, 64, 31, 0, 0, 0, 0, 64},   {0, 30, 64, 32, 0, 0, 0, 0, 128},
                         {4, 4, 60, 60, 60, 32, 32, 4, 37}, {4, 4, 60, 60, 32, 60, 60, 32, 38},
                         {4, 4, 60, 60, 4, 4, 60, 60, 76}};
  for (const auto& [left, top, right, bottom, xs, ys, xe, ye, count] : arcs) {
    const PixelSet exact = ArcOn(64, left, top, right, bottom, xs, ys, xe, ye);
    std::vector<std::uint32_t> pixels(64 * 64, 0);
    CPixelTarget target(pixels.data(), 64, 64, 1);
    RasterLargeArc(target, left, top, right, bottom, xs, ys, xe, ye);
    const PixelSet rows = LitPixels(pixels.data(), 64, 64);
    EXPECT_TRUE(CloseTo(rows, exact) && CloseTo(exact, rows)) << left << ',' << top << ' ' << xs;
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(count)) << left << ',' << top << ' ' << xs;
  }
}

TEST(CanvasTest, HugeCirclesShowTheirEdgeAndHostileBoxesEndQuicklyOnTheSurface) {
  // Radii up to 131072 are still walked exactly, larger ones drawn row by row. Each circle
  // crosses the surface as a nearly straight edge, at column 20 or at row 20, and every arc
  // here ends off the surface, so its left-out last point does not show.
  PixelSet column, row;
  for (int i = 0; i < 64; ++i) {
    column.insert({20, i});
    row.insert({i, 20});
  }
  const PixelSet lower(column.lower_bound({20, 40}), column.end());
  for (const int r : {100000, 131072, 3000000, (1 << 30) - 24}) {
    const int x = 20 + r;
    EXPECT_EQ(ArcOn(64, x - r, 32 - r, x + r, 32 + r, x + r, 32, x + r, 32), column) << r;
    EXPECT_EQ(ArcOn(64, 32 - r, 20, 32 + r, x + r, 32, x + r, 32, x + r), row) << r;
    // Counter-clockwise from the top down the left side, from the bottom up the right side,
    // and from below the middle on the left down to the bottom.
    EXPECT_EQ(ArcOn(64, x - r, 32 - r, x + r, 32 + r, x, 32 - r, x, 32 + r), column) << r;
    EXPECT_TRUE(ArcOn(64, x - r, 32 - r, x + r, 32 + r, x, 32 + r, x, 32 - r).empty()) << r;
    EXPECT_EQ(ArcOn(64, x - r, 32 - r, x + r, 32 + r, x - r, 40, x, 32 + r), lower) << r;
  }
  // Radials far out whose directions differ by less than a double's step at pi: the arc between
  // them is a sliver that misses every pixel, and the other way round all but that sliver.
  const int r = (1 << 30) - 24;
  EXPECT_TRUE(ArcOn(64, 20, 32 - r, 21 + 2 * r, 32 + r, INT_MIN + 1, 31, INT_MIN, 31).empty());
  EXPECT_EQ(ArcOn(64, 20, 32 - r, 21 + 2 * r, 32 + r, INT_MIN, 31, INT_MIN + 1, 31), column);
  const int extremes[] = {INT_MIN, -70000, -1, 0, 31, 64, 300001, INT_MAX};
  CRasterCanvas canvas(64, 64);
  canvas.SelectPen(0xFFFFFF);
  // The same pixels as a list, for surfaces that set them one by one.
  CLitPixels list;
  const auto listed = [](const std::vector<SLitPixel>& pixels) {
    PixelSet set;
    std::for_each(pixels.begin(), pixels.end(), [&](SLitPixel p) { set.insert({p.x, p.y}); });
    return set;
  };
  for (const int a : extremes) {
    for (const int b : extremes) {
      EXPECT_EQ(listed(list.Arc(64, 64, {a, a, b, b, a, b, b, a})),
                ArcOn(64, a, a, b, b, a, b, b, a));
      EXPECT_EQ(listed(list.Line(64, 64, a, ~b, b, a)), LineOn(64, a, ~b, b, a));
      canvas.Arc(a, a, b, b, a, b, b, a);
      canvas.Arc(a, ~b, b, 31, INT_MIN, INT_MAX, INT_MAX, INT_MIN);
    }
  }
  EXPECT_TRUE(ArcOn(64, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 0, 0).empty());
}

}  // namespace
