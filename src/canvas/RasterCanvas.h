#pragma once

#include <cstdint>

#include "canvas/DrawingSurface.h"
#include "canvas/PixelBuffer.h"
#include "canvas/RasterPainter.h"
#include "canvas/Rect.h"

// The framebuffer the engine draws on where there is no GDI: a pixel buffer and the painter
// that draws GDI's pixels on it. The buffer starts in a block of its own; a display may lend it
// the memory it shows (Buffer().Borrow) before a context begins.
class CRasterCanvas final : public IDrawingSurface {
 public:
  static constexpr int kMaxSide = CPixelBuffer::kMaxSide;

  CRasterCanvas(int width, int height);

  // As CPixelBuffer::Resize, and the whole surface counts as changed unless the size stays.
  int Resize(int width, int height);
  int Width() const { return m_buffer.Width(); }
  int Height() const { return m_buffer.Height(); }
  const std::uint32_t* Pixels() const { return m_buffer.Pixels(); }
  const CRect& LitRect() const { return m_buffer.LitRect(); }
  CPixelBuffer& Buffer() { return m_buffer; }

  void BeginContext() { m_painter.BeginContext(); }
  // The smallest rectangle holding every pixel changed since the last call (the whole surface
  // after a resize); returns 0 with an empty rectangle when nothing changed.
  int TakeDirtyRect(CRect& rect) { return m_painter.TakeDirtyRect(rect); }

  void SelectPen(ColourRef colour) override { m_painter.SelectPen(colour); }
  void RestorePen() override { m_painter.RestorePen(); }
  void MoveTo(int x, int y) override { m_painter.MoveTo(x, y); }
  void LineTo(int x, int y) override { m_painter.LineTo(x, y); }
  void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
           int yEnd) override {
    m_painter.Arc(left, top, right, bottom, xStart, yStart, xEnd, yEnd);
  }
  void FillRectBlack(int left, int top, int right, int bottom) override {
    m_painter.FillRectBlack(left, top, right, bottom);
  }

 private:
  CPixelBuffer m_buffer;
  CRasterPainter m_painter{m_buffer};
};
