#include "canvas/LitPixels.h"

#include <algorithm>

#include "canvas/LineRaster.h"
#include "canvas/PixelBuffer.h"
#include "canvas/PixelTarget.h"

const std::vector<SLitPixel>& CLitPixels::Line(int width, int height, std::int64_t x0,
                                               std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  Prepare(width, height);
  CPixelTarget target(m_area.data(), m_width, m_height, 1);
  RasterLine(target, x0, y0, x1, y1);
  Collect(target.Changed());
  return m_lit;
}

const std::vector<SLitPixel>& CLitPixels::Arc(int width, int height, const SArcRequest& request) {
  Prepare(width, height);
  CPixelTarget target(m_area.data(), m_width, m_height, 1);
  RasterArc(target, request, m_quarter);
  Collect(target.Changed());
  return m_lit;
}

void CLitPixels::Prepare(int width, int height) {
  m_lit.clear();
  width = std::clamp(width, 0, CPixelBuffer::kMaxSide);
  height = std::clamp(height, 0, CPixelBuffer::kMaxSide);
  if (width != m_width || height != m_height) {
    m_area.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    m_width = width;
    m_height = height;
  }
}

void CLitPixels::Collect(const CRect& changed) {
  for (int y = changed.top; y < changed.bottom; ++y) {
    std::uint32_t* row = m_area.data() + static_cast<std::size_t>(y) * m_width;
    for (int x = changed.left; x < changed.right; ++x) {
      if (row[x] != 0) {
        row[x] = 0;
        m_lit.push_back({x, y});
      }
    }
  }
}
