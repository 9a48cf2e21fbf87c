#pragma once

#include <cstddef>
#include <cstdint>

#include "canvas/Rect.h"

// One drawing operation's view of the framebuffer: where to write, in which pixel value, and
// the bounds of the pixels it actually changed, so the presenter can copy only those.
class CPixelTarget {
 public:
  CPixelTarget(std::uint32_t* pixels, int width, int height, std::uint32_t pixel)
      : m_pixels(pixels), m_width(width), m_height(height), m_pixel(pixel) {}

  int Width() const { return m_width; }
  int Height() const { return m_height; }

  bool Contains(std::int64_t x, std::int64_t y) const {
    return x >= 0 && y >= 0 && x < m_width && y < m_height;
  }

  // The caller guarantees (x, y) lies on the surface.
  void Plot(int x, int y) {
    std::uint32_t& target = m_pixels[static_cast<std::size_t>(y) * m_width + x];
    if (target == m_pixel) {
      return;
    }
    target = m_pixel;
    if (x < m_changedLeft)
      m_changedLeft = x;
    if (x > m_changedRight)
      m_changedRight = x;
    if (y < m_changedTop)
      m_changedTop = y;
    if (y > m_changedBottom)
      m_changedBottom = y;
  }

  void PlotIfInside(std::int64_t x, std::int64_t y) {
    if (Contains(x, y)) {
      Plot(static_cast<int>(x), static_cast<int>(y));
    }
  }

  // Empty when nothing changed.
  CRect Changed() const {
    if (m_changedRight < m_changedLeft) {
      return {};
    }
    return {m_changedLeft, m_changedTop, m_changedRight + 1, m_changedBottom + 1};
  }

 private:
  std::uint32_t* m_pixels;
  int m_width;
  int m_height;
  std::uint32_t m_pixel;
  int m_changedLeft = m_width;
  int m_changedTop = m_height;
  int m_changedRight = -1;
  int m_changedBottom = -1;
};
