#pragma once

#include <cstdint>

// Packed colour: red in bits 0-7, green in 8-15, blue in 16-23 (the Windows COLORREF layout).
using ColourRef = std::uint32_t;

// What the engine draws with, for the length of one tick: a drawing context got afresh for
// the window's client area. A fresh context has its current position at (0, 0), so nothing
// carries over between ticks. The raster canvas implements it on a framebuffer with GDI's
// exact pixels; the Windows build implements it on a real device context.
class IDrawingSurface {
 public:
  virtual ~IDrawingSurface() = default;

  // Creates a solid pen of width 1 in the colour and selects it, remembering the pen before.
  virtual void SelectPen(ColourRef colour) = 0;
  // Selects the remembered pen back and deletes the one created by SelectPen.
  virtual void RestorePen() = 0;

  virtual void MoveTo(int x, int y) = 0;
  // A 1-pixel line from the current position to (x, y), the end pixel left out; the current
  // position moves to (x, y).
  virtual void LineTo(int x, int y) = 0;
  // The outline of the ellipse inscribed in the box (left, top)-(right, bottom), from the
  // start radial to the end radial; equal start and end points draw the whole ellipse.
  virtual void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                   int yEnd) = 0;
  // Fills the rectangle, right and bottom edges excluded, with the black background brush.
  virtual void FillRectBlack(int left, int top, int right, int bottom) = 0;
};
