#pragma once

#include <cstdint>

class CPixelTarget;

// Lights the pixels GDI lights for a 1-pixel solid line from (x0, y0) towards (x1, y1), the end
// pixel left out. The walk is clipped to the target before it starts, with the walk's own
// arithmetic, so any pair of 32-bit end points costs at most one pass over the surface and
// lights exactly the pixels the unclipped walk would light there.
void RasterLine(CPixelTarget& target, std::int64_t x0, std::int64_t y0, std::int64_t x1,
                std::int64_t y1);
