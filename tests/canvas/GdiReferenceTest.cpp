// The canvas against pixels measured from GDI: every line and every circle of the reference
// files, the circles also where the surface's edges cut them.
#include <gtest/gtest.h>

#include "GdiReference.h"

namespace {

constexpr ColourRef kWhite = 0xFFFFFF;

TEST(GdiReferenceTest, EveryReferenceLineLightsExactlyGdisPixels) {
  const std::vector<SReferenceLine> lines = LoadReferenceLines();
  ASSERT_EQ(lines.size(), 600u);
  CRasterCanvas canvas(256, 256);
  for (const SReferenceLine& line : lines) {
    canvas.FillRectBlack(0, 0, 256, 256);
    canvas.BeginContext();
    canvas.SelectPen(kWhite);
    canvas.MoveTo(line.x0, line.y0);
    canvas.LineTo(line.x1, line.y1);
    const PixelSet lit = LitPixels(canvas);
    EXPECT_EQ(lit, line.lit) << "line " << line.lineNumber << ": " << line.x0 << ' ' << line.y0
                             << ' ' << line.x1 << ' ' << line.y1 << "\n got " << Describe(lit);
  }
}

// The circle of radius R centred on (x, y), as GDI lights it, cut to a 256 x 256 surface.
PixelSet ExpectedCircle(const SReferenceCircle& circle, int x, int y) {
  PixelSet pixels;
  for (const auto& [dx, dy] : circle.offsets) {
    if (x + dx >= 0 && x + dx < 256 && y + dy >= 0 && y + dy < 256) {
      pixels.insert({x + dx, y + dy});
    }
  }
  return pixels;
}

TEST(GdiReferenceTest, EveryReferenceCircleLightsExactlyGdisPixelsWholeAndCut) {
  const std::vector<SReferenceCircle> circles = LoadReferenceCircles();
  ASSERT_EQ(circles.size(), 121u);
  // The middle, where every circle fits, then the edges and corners, which cut them.
  const std::pair<int, int> centres[] = {{128, 128}, {0, 0},   {255, 255}, {3, 130},
                                         {250, 7},   {128, 0}, {-20, 100}, {270, 250}};
  CRasterCanvas canvas(256, 256);
  for (const SReferenceCircle& circle : circles) {
    ASSERT_EQ(circle.radius, &circle - circles.data());
    for (const auto& [x, y] : centres) {
      canvas.FillRectBlack(0, 0, 256, 256);
      canvas.BeginContext();
      canvas.SelectPen(kWhite);
      const int r = circle.radius;
      canvas.Arc(x - r, y - r, x + r, y + r, x - r, y, x - r, y);
      const PixelSet lit = LitPixels(canvas);
      EXPECT_EQ(lit, ExpectedCircle(circle, x, y))
          << "radius " << r << " at " << x << ',' << y << "\n got " << Describe(lit);
    }
  }
}

}  // namespace
