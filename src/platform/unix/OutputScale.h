#pragma once

#include <cstdint>

// An output of scale 2 gets a figure of its full size in pixels; these turn the compositor's
// logical sizes and positions into those pixels.

// Pixels of a side of logical size on an output of the given scale; scales below 1 count
// as 1, and a side never exceeds what a raster canvas holds.
int SurfacePixels(int logical, std::int32_t scale);

// The pixel of the surface under a pointer at a logical coordinate (fractions included).
std::int32_t PointerPixel(double logical, std::int32_t scale);
