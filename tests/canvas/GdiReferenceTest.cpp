// The canvas against pixels measured from GDI: every line and every circle of the reference
// files, the circles also where the surface's edges cut them.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CanvasTestSupport.h"

namespace {

// Each row of a reference file: what was drawn, a colon, then the lit pixels as "x,y".
std::vector<std::pair<std::string, PixelSet>> LoadRows(const char* name) {
  std::ifstream file(std::string(SPIRANDEL_SOURCE_DIR) + "/tests/canvas/data/" + name);
  std::vector<std::pair<std::string, PixelSet>> rows;
  for (std::string text; std::getline(file, text);) {
    std::istringstream in(text.substr(text.find(':') + 1));
    PixelSet pixels;
    char comma = 0;
    for (int x = 0, y = 0; in >> x >> comma >> y;) {
      pixels.insert({x, y});
    }
    rows.emplace_back(text.substr(0, text.find(':')), pixels);
  }
  return rows;
}

TEST(GdiReferenceTest, EveryReferenceLineLightsExactlyGdisPixels) {
  const auto lines = LoadRows("lines.txt");
  ASSERT_EQ(lines.size(), 600u);
  for (const auto& [drawn, lit] : lines) {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    std::istringstream(drawn) >> x0 >> y0 >> x1 >> y1;
    EXPECT_EQ(LineOn(256, x0, y0, x1, y1), lit) << "line " << drawn;
  }
}

TEST(GdiReferenceTest, EveryReferenceCircleLightsExactlyGdisPixelsWholeAndCut) {
  const auto circles = LoadRows("arcs.txt");
  ASSERT_EQ(circles.size(), 121u);
  // The middle, where every circle fits, then the edges and corners, which cut them.
  const std::pair<int, int> centres[] = {{128, 128}, {0, 0},   {255, 255}, {3, 130},
                                         {250, 7},   {128, 0}, {-20, 100}, {270, 250}};
  CRasterCanvas canvas(256, 256);
  canvas.SelectPen(0xFFFFFF);
  for (int r = 0; r < 121; ++r) {
    ASSERT_EQ(circles[r].first, "A " + std::to_string(r));
    for (const auto& [x, y] : centres) {
      PixelSet expected;
      for (const auto& [dx, dy] : circles[r].second) {
        if (x + dx >= 0 && x + dx < 256 && y + dy >= 0 && y + dy < 256) {
          expected.insert({x + dx, y + dy});
        }
      }
      canvas.FillRectBlack(0, 0, 256, 256);
      canvas.Arc(x - r, y - r, x + r, y + r, x - r, y, x - r, y);
      EXPECT_EQ(LitPixels(canvas), expected) << "radius " << r << " at " << x << ',' << y;
    }
  }
}

}  // namespace
