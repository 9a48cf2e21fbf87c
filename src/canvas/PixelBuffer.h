#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "canvas/Rect.h"

// A picture's pixels: 32-bit 0x00RRGGBB, rows top down with a stride of Width(), so a row is
// what an X11 24-bit TrueColor ZPixmap, a wl_shm XRGB8888 buffer or a 32-bit BMP holds. The
// pixels live in a block of the buffer's own or in memory it borrows from a display (a
// shared-memory buffer the compositor or the X server reads), so that a painter can draw
// straight into what is shown. It keeps the rectangle outside which every pixel is black, which
// lets a clear read nothing there and a fresh black copy be brought up to date cheaply.
class CPixelBuffer {
 public:
  // Larger sides are cut to this; no screen comes near it.
  static constexpr int kMaxSide = 16384;

  // A black picture of its own; of 0 x 0 when the memory cannot be had.
  CPixelBuffer(int width, int height);

  // Keeps the pixels both sizes share and blackens the rest, in a block of its own again;
  // negative sides count as 0, an unchanged size changes nothing. Returns 0, keeping the old
  // picture, if the memory cannot be had; nonzero otherwise.
  int Resize(int width, int height);
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  std::uint32_t* Pixels() { return m_pixels; }
  const std::uint32_t* Pixels() const { return m_pixels; }
  // Every pixel outside this rectangle is black.
  const CRect& LitRect() const { return m_lit; }

  // The picture lives from now on in pixels, which hold it already and outlive their use
  // here; the block of its own is given up. Resize makes a block of its own again.
  void Borrow(std::uint32_t* pixels);
  // Copies the picture into a block of its own and lives there from now on; 0 if the memory
  // cannot be had (it stays where it was), nonzero otherwise.
  int TakeOwnBlock();
  bool OwnsPixels() const { return m_ownBlock != nullptr; }

  // For the painter: pixels inside drawn may be lit now; everything is black now.
  void AddLit(const CRect& drawn) { m_lit = Bounding(m_lit, drawn); }
  void MarkAllBlack() { m_lit = CRect{}; }

 private:
  struct SFreePixels {
    void operator()(std::uint32_t* pixels) const { std::free(pixels); }
  };

  std::unique_ptr<std::uint32_t[], SFreePixels> m_ownBlock;
  std::uint32_t* m_pixels = nullptr;
  int m_width = 0;
  int m_height = 0;
  CRect m_lit;
};
