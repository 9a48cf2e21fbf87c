#pragma once

#include <cstdint>
#include <vector>

#include "canvas/DrawingSurface.h"
#include "canvas/PixelBuffer.h"
#include "canvas/QuarterOutline.h"
#include "canvas/Rect.h"

// Draws exactly the pixels GDI draws for the engine's operations onto a pixel buffer, clips
// everything to it, and remembers which pixels changed so that a display copies only those.
// It holds the drawing context's state (pen, saved pens, current position), not the pixels:
// where they live is the buffer's affair, which a display may move between contexts.
class CRasterPainter final : public IDrawingSurface {
 public:
  // target outlives the painter.
  explicit CRasterPainter(CPixelBuffer& target) : m_target(target) {}

  // A fresh drawing context: current position (0, 0), the default black pen, no pens saved.
  void BeginContext();
  // The smallest rectangle holding every pixel changed since the last call; returns 0 with an
  // empty rectangle when nothing changed.
  int TakeDirtyRect(CRect& rect);
  // Counts changed as changed without drawing it (a new size has never been shown).
  void AddDirty(const CRect& changed) { m_dirty = Bounding(m_dirty, changed); }

  void SelectPen(ColourRef colour) override;
  void RestorePen() override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
           int yEnd) override;
  void FillRectBlack(int left, int top, int right, int bottom) override;

 private:
  // For pixels a pen drew: changed, and perhaps no longer black.
  void AddDrawn(const CRect& changed);

  CPixelBuffer& m_target;
  int m_currentX = 0;
  int m_currentY = 0;
  std::uint32_t m_penPixel = 0;
  std::vector<std::uint32_t> m_savedPens;
  CRect m_dirty;
  std::vector<SQuarterPoint> m_quarterScratch;
};
