#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "canvas/DrawingSurface.h"
#include "canvas/QuarterOutline.h"
#include "canvas/Rect.h"

// The framebuffer the engine draws on where there is no GDI: 32-bit pixels 0x00RRGGBB, rows top
// down with a stride of Width(), so a row is what an X11 24-bit TrueColor ZPixmap or a 32-bit
// BMP holds. Draws exactly the pixels GDI draws for the engine's operations, clips everything
// to the surface, and remembers which pixels changed so the window copies only those.
class CRasterCanvas : public IDrawingSurface {
 public:
  // Larger sides are cut to this; no screen comes near it.
  static constexpr int kMaxSide = 16384;

  CRasterCanvas(int width, int height);

  // Keeps the pixels both sizes share and blackens the rest, and counts the whole surface as
  // changed unless the size stays the same; negative sides count as 0. Returns
  // 0, keeping the old picture, if the memory cannot be had; nonzero otherwise.
  int Resize(int width, int height);
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  const std::uint32_t* Pixels() const { return m_pixels; }
  // Draws from now on into pixels, which hold this canvas's picture already and outlive their
  // use here, and gives up the canvas's own block; Resize makes a block of its own again. Lets
  // a window draw straight into memory it shows, without a copy of the screen in between.
  void DrawInto(std::uint32_t* pixels);
  // Copies the picture into a block of the canvas's own and draws there from now on; 0 if
  // the memory cannot be had (it still draws where it did), nonzero otherwise.
  int DrawIntoOwnBlock();
  // Called as each drawing context begins, before a pixel is written: the place to move the
  // pixels with DrawInto, when where they are may not be written now.
  std::function<void()> m_beforeDrawing;

  // A fresh drawing context: current position (0, 0), the default black pen, no pens saved.
  void BeginContext();
  // The smallest rectangle holding every pixel changed since the last call (the whole surface
  // after a resize); returns 0 with an empty rectangle when nothing changed.
  int TakeDirtyRect(CRect& rect);
  // Every pixel outside this rectangle is black.
  const CRect& LitRect() const { return m_lit; }

  void SelectPen(ColourRef colour) override;
  void RestorePen() override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
           int yEnd) override;
  void FillRectBlack(int left, int top, int right, int bottom) override;

 private:
  struct SFreePixels {
    void operator()(std::uint32_t* pixels) const { std::free(pixels); }
  };

  void AddDirty(const CRect& changed);
  // For pixels a pen drew: changed, and perhaps no longer black.
  void AddDrawn(const CRect& changed);

  // Where the pixels are: the canvas's own block, or memory given to DrawInto.
  std::unique_ptr<std::uint32_t[], SFreePixels> m_ownBlock;
  std::uint32_t* m_pixels = nullptr;
  int m_width = 0;
  int m_height = 0;
  int m_currentX = 0;
  int m_currentY = 0;
  std::uint32_t m_penPixel = 0;
  std::vector<std::uint32_t> m_savedPens;
  CRect m_dirty;
  // Every pixel outside is black; inside, some may be lit.
  CRect m_lit;
  std::vector<SQuarterPoint> m_quarterScratch;
};
