// Arcs beyond the reference circles: ellipses, partial arcs, degenerate boxes, and boxes far
// too big to walk.
#include <climits>
#include <cstdlib>

#include "CanvasTestSupport.h"
#include "canvas/LargeEllipseRaster.h"
#include "canvas/PixelTarget.h"

namespace {

PixelSet DrawArc(int size, int left, int top, int right, int bottom, int xs, int ys, int xe,
                 int ye) {
  CRasterCanvas canvas(size, size);
  canvas.SelectPen(0xFFFFFF);
  canvas.Arc(left, top, right, bottom, xs, ys, xe, ye);
  return LitPixels(canvas);
}

TEST(ArcTest, BoxCornersInAnyOrderDrawTheSameEllipseAndEmptyBoxesNothing) {
  const PixelSet ordered = DrawArc(64, 5, 10, 50, 40, 0, 0, 0, 0);
  EXPECT_FALSE(ordered.empty());
  EXPECT_EQ(DrawArc(64, 50, 40, 5, 10, 0, 0, 0, 0), ordered);
  EXPECT_EQ(DrawArc(64, 50, 10, 5, 40, 0, 0, 0, 0), ordered);
  for (const auto& [x, y] : ordered) {
    EXPECT_TRUE(x >= 5 && x < 50 && y >= 10 && y < 40) << x << ',' << y;
  }
  // Empty and point boxes light nothing.
  for (auto [right, bottom, lit] : {std::tuple{5, 9, 0u}, {9, 5, 0u}, {6, 6, 0u}, {8, 6, 3u}}) {
    EXPECT_EQ(DrawArc(16, 5, 5, right, bottom, 0, 0, 0, 0).size(), lit) << right << ',' << bottom;
  }
}

TEST(ArcTest, CounterClockwiseArcsCoverOnlyTheirQuarters) {
  // Right middle to top: the upper right quarter; top to right middle: the other three.
  const PixelSet upperRight = DrawArc(64, 10, 10, 50, 50, 60, 30, 30, 0);
  const PixelSet rest = DrawArc(64, 10, 10, 50, 50, 30, 0, 60, 30);
  const PixelSet whole = DrawArc(64, 10, 10, 50, 50, 0, 30, 0, 30);
  ASSERT_FALSE(upperRight.empty());
  for (const auto& [x, y] : upperRight) {
    EXPECT_TRUE(x >= 29 && y <= 30) << x << ',' << y;
    EXPECT_TRUE(whole.count({x, y})) << x << ',' << y;
  }
  // The whole outline leaves out its own last point, which the three quarters light.
  int outsideWhole = 0;
  for (const auto& pixel : rest) {
    outsideWhole += whole.count(pixel) == 0 ? 1 : 0;
  }
  EXPECT_LE(outsideWhole, 1);
  EXPECT_GT(upperRight.size() + rest.size(), whole.size() - 2);
}

// Distance from a pixel to the nearest pixel of a set, in the chessboard metric.
int Gap(const PixelSet& pixels, std::pair<int, int> pixel) {
  int best = INT_MAX;
  for (const auto& [x, y] : pixels) {
    best = std::min(best, std::max(std::abs(x - pixel.first), std::abs(y - pixel.second)));
  }
  return best;
}

TEST(ArcTest, OversizedEllipsesDrawACloseOutlineRowByRow) {
  // The row-by-row outline used for boxes too big to walk, tried on boxes that can be walked.
  // Not on boxes a few pixels wide: GDI's walk stops short of their ends there.
  const int boxes[][4] = {{4, 4, 60, 60}, {2, 20, 62, 31}, {30, 1, 35, 63},
                          {0, 0, 64, 64}, {0, 30, 64, 31}, {0, 30, 64, 32}};
  for (const auto& box : boxes) {
    const PixelSet exact = DrawArc(64, box[0], box[1], box[2], box[3], 0, 0, 0, 0);
    std::vector<std::uint32_t> pixels(64 * 64, 0);
    CPixelTarget target(pixels.data(), 64, 64, 1);
    RasterLargeArc(target, box[0], box[1], box[2], box[3], 0, 0, 0, 0);
    PixelSet rows;
    for (int i = 0; i < 64 * 64; ++i) {
      if (pixels[i] != 0) {
        rows.insert({i % 64, i / 64});
      }
    }
    // Each outline lies within a pixel of the other, both ways.
    for (auto [from, to] :
         {std::pair<const PixelSet*, const PixelSet*>{&rows, &exact}, {&exact, &rows}}) {
      for (const auto& pixel : *from) {
        EXPECT_LE(Gap(*to, pixel), 1) << pixel.first << ',' << pixel.second;
      }
    }
  }
}

TEST(ArcTest, HugeCirclesShowTheirEdgeWhereTheyCrossTheSurface) {
  // Radii up to 131072 are still walked exactly, 3000000 is drawn row by row; both cross the
  // surface as a nearly vertical edge at column 20. The arc starts and ends on the far side, so its
  // left-out last point is not on the surface.
  for (const int radius : {100000, 131072, 3000000}) {
    const int cx = 20 + radius;
    const PixelSet lit = DrawArc(64, cx - radius, 32 - radius, cx + radius, 32 + radius,
                                 cx + radius, 32, cx + radius, 32);
    PixelSet edge;
    for (int y = 0; y < 64; ++y) {
      edge.insert({20, y});
    }
    EXPECT_EQ(lit, edge) << radius;
  }
}

TEST(ArcTest, HostileBoxesEndQuicklyWithoutWritingOutside) {
  const int extremes[] = {INT_MIN, -70000, -1, 0, 31, 64, 300001, INT_MAX};
  CRasterCanvas canvas(64, 64);
  canvas.SelectPen(0xFFFFFF);
  for (const int a : extremes) {
    for (const int b : extremes) {
      canvas.Arc(a, a, b, b, a, b, b, a);
      canvas.Arc(a, b, b, a, 0, 0, 0, 0);
      canvas.Arc(a, ~b, b, 31, INT_MIN, INT_MAX, INT_MAX, INT_MIN);
    }
  }
  // A box covering the whole int range draws its outline far outside the surface.
  CRasterCanvas fresh(64, 64);
  fresh.SelectPen(0xFFFFFF);
  fresh.Arc(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 0, 0);
  EXPECT_TRUE(LitPixels(fresh).empty());
}

}  // namespace
