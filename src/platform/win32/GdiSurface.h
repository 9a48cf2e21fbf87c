#pragma once

#include <cstdint>

#include "canvas/DrawingSurface.h"
#include "platform/win32/Win32.h"

// The engine's drawing surface on a real device context: a window's DC for one tick, the DC of
// a paint or erase message, or a memory DC with a DIB section selected (the renderer). The DC
// belongs to the caller; the surface only owns the pen it creates.
//
// GDI takes a line or an ellipse whole only within the coordinates it handles; a primitive
// beyond them that can reach the visible area is lit pixel by pixel with the raster canvas's
// own pixels (the ones GDI would light), and one that cannot reach it is not drawn at all. The
// device origin is the drawing area's top left, as in every DC the program draws on.
class CGdiSurface : public IDrawingSurface {
 public:
  // Starts from the DC's current position.
  explicit CGdiSurface(HDC dc);
  ~CGdiSurface() override;
  CGdiSurface(const CGdiSurface&) = delete;
  CGdiSurface& operator=(const CGdiSurface&) = delete;

  void SelectPen(ColourRef colour) override;
  void RestorePen() override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
           int yEnd) override;
  void FillRectBlack(int left, int top, int right, int bottom) override;

  HDC Dc() const { return m_dc; }

 private:
  HDC m_dc;
  HPEN m_pen = nullptr;
  HGDIOBJ m_previousPen = nullptr;
  // Kept here rather than in the DC, which need not hold a point GDI cannot draw to.
  int m_currentX = 0;
  int m_currentY = 0;
};
