#pragma once

#include <cstdint>
#include <vector>

#include "canvas/QuarterOutline.h"

class CPixelTarget;

// The box of an ellipse in any corner order, right and bottom edges outside it as GDI has them,
// and the two points whose radials from the box's centre bound the arc.
struct SArcRequest {
  std::int64_t left;
  std::int64_t top;
  std::int64_t right;
  std::int64_t bottom;
  std::int64_t xStart;
  std::int64_t yStart;
  std::int64_t xEnd;
  std::int64_t yEnd;
};

// Lights GDI's pixels for Arc drawn counter-clockwise (the direction of a fresh context) with a
// solid 1-pixel pen; equal radials draw the whole outline. `scratch` keeps its capacity between
// calls so that stamping circles allocates nothing.
void RasterArc(CPixelTarget& target, const SArcRequest& request,
               std::vector<SQuarterPoint>& scratch);
