#pragma once

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "canvas/RasterCanvas.h"

using PixelSet = std::set<std::pair<int, int>>;

// Every pixel of the canvas that is not black.
inline PixelSet LitPixels(const CRasterCanvas& canvas) {
  PixelSet lit;
  for (int i = 0; i < canvas.Width() * canvas.Height(); ++i) {
    if (canvas.Pixels()[i] != 0) {
      lit.insert({i % canvas.Width(), i / canvas.Width()});
    }
  }
  return lit;
}

// A line in a fresh context (current position 0, 0) and the given pen.
inline void DrawLine(CRasterCanvas& canvas, ColourRef pen, int x0, int y0, int x1, int y1) {
  canvas.BeginContext();
  canvas.SelectPen(pen);
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
}
