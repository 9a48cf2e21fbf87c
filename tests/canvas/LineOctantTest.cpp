// The same slope in each of the eight directions: which pixel a tie goes to differs between
// them, and the end pixel is never lit.
#include <gtest/gtest.h>

#include "GdiReference.h"

namespace {

struct SOctantCase {
  const char* direction;
  int dx, dy;
  PixelSet lit;  // relative to the start point
};

const SOctantCase kOctantCases[] = {
    {"right, down", 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
    {"down, right", 2, 4, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
    {"down, left", -2, 4, {{0, 0}, {-1, 1}, {-1, 2}, {-2, 3}}},
    {"left, down", -4, 2, {{0, 0}, {-1, 0}, {-2, 1}, {-3, 1}}},
    {"left, up", -4, -2, {{0, 0}, {-1, -1}, {-2, -1}, {-3, -2}}},
    {"up, left", -2, -4, {{0, 0}, {-1, -1}, {-1, -2}, {-2, -3}}},
    {"up, right", 2, -4, {{0, 0}, {0, -1}, {1, -2}, {1, -3}}},
    {"right, up", 4, -2, {{0, 0}, {1, -1}, {2, -1}, {3, -2}}},
    // Equal differences count as vertical; axis lines have no ties at all.
    {"diagonal", -3, 3, {{0, 0}, {-1, 1}, {-2, 2}}},
    {"right", 3, 0, {{0, 0}, {1, 0}, {2, 0}}},
    {"up", 0, -3, {{0, 0}, {0, -1}, {0, -2}}},
    {"one pixel", 1, 1, {{0, 0}}},
    {"nothing", 0, 0, {}},
};

TEST(LineOctantTest, TiesAndEndPixelFollowGdiInEveryDirection) {
  for (const SOctantCase& octant : kOctantCases) {
    CRasterCanvas canvas(21, 21);
    canvas.SelectPen(0x0000FF);
    canvas.MoveTo(10, 10);
    canvas.LineTo(10 + octant.dx, 10 + octant.dy);
    PixelSet expected;
    for (const auto& [x, y] : octant.lit) {
      expected.insert({10 + x, 10 + y});
    }
    EXPECT_EQ(LitPixels(canvas), expected) << octant.direction;
  }
}

TEST(LineOctantTest, LineToMovesTheCurrentPositionForTheNextLine) {
  CRasterCanvas canvas(10, 10);
  canvas.SelectPen(0xFFFFFF);
  canvas.MoveTo(1, 1);
  canvas.LineTo(4, 1);
  canvas.LineTo(4, 3);
  EXPECT_EQ(LitPixels(canvas), (PixelSet{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}}));
  // A fresh context starts from the origin.
  canvas.BeginContext();
  canvas.SelectPen(0xFFFFFF);
  canvas.LineTo(0, 2);
  EXPECT_NE(canvas.PixelAt(0, 0), 0u);
  EXPECT_NE(canvas.PixelAt(0, 1), 0u);
}

}  // namespace
