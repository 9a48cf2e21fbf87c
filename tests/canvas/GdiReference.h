#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "canvas/RasterCanvas.h"

using PixelSet = std::set<std::pair<int, int>>;

// One row of lines.txt: MoveTo(x0, y0), LineTo(x1, y1) on a 256 x 256 surface.
struct SReferenceLine {
  int lineNumber;
  int x0, y0, x1, y1;
  PixelSet lit;
};

// One row of arcs.txt: the full circle of radius R as offsets from its centre.
struct SReferenceCircle {
  int radius;
  PixelSet offsets;
};

std::vector<SReferenceLine> LoadReferenceLines();
std::vector<SReferenceCircle> LoadReferenceCircles();

// Every pixel of the canvas that is not black.
PixelSet LitPixels(const CRasterCanvas& canvas);
std::string Describe(const PixelSet& pixels);
