#pragma once

#include <cstdint>
#include <vector>

#include "canvas/ArcRaster.h"
#include "canvas/QuarterOutline.h"
#include "canvas/Rect.h"

struct SLitPixel {
  int x;
  int y;
};

// The pixels the raster canvas lights for one line or arc inside the area (0, 0)-(width,
// height), as a list: for a surface that cannot take the primitive whole but can set single
// pixels (GDI beyond the coordinates it handles), which so lights exactly the canvas's pixels.
// Sides are cut to the raster canvas's largest. The room it draws in stays between calls.
class CLitPixels {
 public:
  // Each replaces the list by the primitive's pixels, row by row.
  const std::vector<SLitPixel>& Line(int width, int height, std::int64_t x0, std::int64_t y0,
                                     std::int64_t x1, std::int64_t y1);
  const std::vector<SLitPixel>& Arc(int width, int height, const SArcRequest& request);

 private:
  void Prepare(int width, int height);
  // Moves the pixels marked in the area into the list, leaving the area blank again.
  void Collect(const CRect& changed);

  // Blank (0) between calls; a lit pixel holds 1.
  std::vector<std::uint32_t> m_area;
  int m_width = 0;
  int m_height = 0;
  std::vector<SQuarterPoint> m_quarter;
  std::vector<SLitPixel> m_lit;
};
