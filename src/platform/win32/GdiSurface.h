#pragma once

#include "canvas/DrawingSurface.h"
#include "platform/win32/Win32.h"

// The engine's drawing surface on a real device context: a window's DC for one tick, the DC of
// a paint or erase message, or a memory DC with a DIB section selected (the renderer). The DC
// belongs to the caller; the surface only owns the pen it creates.
class CGdiSurface : public IDrawingSurface {
 public:
  explicit CGdiSurface(HDC dc) : m_dc(dc) {}
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
};
