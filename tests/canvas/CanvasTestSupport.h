#pragma once

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "canvas/RasterCanvas.h"

using PixelSet = std::set<std::pair<int, int>>;

// Every pixel that is not black.
inline PixelSet LitPixels(const std::uint32_t* pixels, int width, int height) {
  PixelSet lit;
  for (int i = 0; i < width * height; ++i) {
    if (pixels[i] != 0) {
      lit.insert({i % width, i / width});
    }
  }
  return lit;
}

inline PixelSet LitPixels(const CRasterCanvas& canvas) {
  return LitPixels(canvas.Pixels(), canvas.Width(), canvas.Height());
}

// A white line drawn on a black surface of the given size: the pixels it lights.
inline PixelSet LineOn(int size, int x0, int y0, int x1, int y1) {
  CRasterCanvas canvas(size, size);
  canvas.SelectPen(0xFFFFFF);
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
  return LitPixels(canvas);
}
