#include "canvas/RasterCanvas.h"

#include <algorithm>
#include <new>

#include "canvas/ArcRaster.h"
#include "canvas/LineRaster.h"
#include "canvas/PixelFormat.h"
#include "canvas/PixelTarget.h"

namespace {

constexpr std::uint32_t kBlack = 0;

int ClampSide(int side) {
  return std::clamp(side, 0, CRasterCanvas::kMaxSide);
}

}  // namespace

CRasterCanvas::CRasterCanvas(int width, int height) {
  Resize(width, height);
}

int CRasterCanvas::Resize(int width, int height) {
  width = ClampSide(width);
  height = ClampSide(height);
  if (width == m_width && height == m_height) {
    return 1;  // windows report unchanged sizes often; nothing to redraw
  }
  std::vector<std::uint32_t> resized;
  try {
    resized.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kBlack);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  const int sharedWidth = std::min(width, m_width);
  const int sharedHeight = std::min(height, m_height);
  for (int y = 0; y < sharedHeight; ++y) {
    const auto from = m_pixels.begin() + static_cast<std::ptrdiff_t>(y) * m_width;
    std::copy(from, from + sharedWidth, resized.begin() + static_cast<std::ptrdiff_t>(y) * width);
  }
  m_pixels.swap(resized);
  m_width = width;
  m_height = height;
  m_dirty = CRect{};
  AddDirty(CRect{0, 0, width, height});
  return 1;
}

void CRasterCanvas::BeginContext() {
  m_currentX = 0;
  m_currentY = 0;
  m_penPixel = kBlack;
  m_savedPens.clear();
}

int CRasterCanvas::TakeDirtyRect(CRect& rect) {
  rect = m_dirty;
  m_dirty = CRect{};
  return rect.IsEmpty() ? 0 : 1;
}

void CRasterCanvas::AddDirty(const CRect& changed) {
  if (changed.IsEmpty()) {
    return;
  }
  if (m_dirty.IsEmpty()) {
    m_dirty = changed;
    return;
  }
  m_dirty.left = std::min(m_dirty.left, changed.left);
  m_dirty.top = std::min(m_dirty.top, changed.top);
  m_dirty.right = std::max(m_dirty.right, changed.right);
  m_dirty.bottom = std::max(m_dirty.bottom, changed.bottom);
}

void CRasterCanvas::SelectPen(ColourRef colour) {
  // A context only ever holds a pen or two; the bound keeps a caller that never restores from
  // growing the list without end.
  constexpr std::size_t kMaxSavedPens = 64;
  if (m_savedPens.size() < kMaxSavedPens) {
    m_savedPens.push_back(m_penPixel);
  }
  m_penPixel = PixelFromColourRef(colour);
}

void CRasterCanvas::RestorePen() {
  if (m_savedPens.empty()) {
    m_penPixel = kBlack;
    return;
  }
  m_penPixel = m_savedPens.back();
  m_savedPens.pop_back();
}

void CRasterCanvas::MoveTo(int x, int y) {
  m_currentX = x;
  m_currentY = y;
}

void CRasterCanvas::LineTo(int x, int y) {
  CPixelTarget target(m_pixels.data(), m_width, m_height, m_penPixel);
  RasterLine(target, m_currentX, m_currentY, x, y);
  AddDirty(target.Changed());
  m_currentX = x;
  m_currentY = y;
}

void CRasterCanvas::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                        int yEnd) {
  CPixelTarget target(m_pixels.data(), m_width, m_height, m_penPixel);
  RasterArc(target, SArcRequest{left, top, right, bottom, xStart, yStart, xEnd, yEnd},
            m_quarterScratch);
  AddDirty(target.Changed());
}

void CRasterCanvas::FillRectBlack(int left, int top, int right, int bottom) {
  // A rectangle whose right or bottom edge lies before its left or top one covers nothing.
  const int fromX = std::max(left, 0);
  const int toX = std::min(right, m_width);
  const int fromY = std::max(top, 0);
  const int toY = std::min(bottom, m_height);
  if (fromX >= toX || fromY >= toY) {
    return;
  }
  CRect changed{toX, toY, fromX, fromY};
  for (int y = fromY; y < toY; ++y) {
    std::uint32_t* row = m_pixels.data() + static_cast<std::size_t>(y) * m_width;
    // Most rows of a clear are already black; one branch-free pass tells so quickly.
    std::uint32_t anyLit = 0;
    for (int x = fromX; x < toX; ++x) {
      anyLit |= row[x];
    }
    if (anyLit == 0) {
      continue;
    }
    std::uint32_t* firstLit =
        std::find_if(row + fromX, row + toX, [](std::uint32_t pixel) { return pixel != kBlack; });
    std::uint32_t* lastLit = row + toX - 1;
    while (*lastLit == kBlack) {
      --lastLit;
    }
    std::fill(firstLit, lastLit + 1, kBlack);
    changed.left = std::min(changed.left, static_cast<int>(firstLit - row));
    changed.right = std::max(changed.right, static_cast<int>(lastLit - row) + 1);
    changed.top = std::min(changed.top, y);
    changed.bottom = y + 1;
  }
  AddDirty(changed);
}
