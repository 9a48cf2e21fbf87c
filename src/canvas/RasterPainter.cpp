#include "canvas/RasterPainter.h"

#include <algorithm>

#include "canvas/ArcRaster.h"
#include "canvas/LineRaster.h"
#include "canvas/PixelFormat.h"
#include "canvas/PixelTarget.h"

namespace {

constexpr std::uint32_t kBlack = 0;

}  // namespace

void CRasterPainter::BeginContext() {
  m_currentX = 0;
  m_currentY = 0;
  m_penPixel = kBlack;
  m_savedPens.clear();
}

int CRasterPainter::TakeDirtyRect(CRect& rect) {
  rect = m_dirty;
  m_dirty = CRect{};
  return rect.IsEmpty() ? 0 : 1;
}

void CRasterPainter::AddDrawn(const CRect& changed) {
  AddDirty(changed);
  m_target.AddLit(changed);
}

void CRasterPainter::SelectPen(ColourRef colour) {
  // A context only ever holds a pen or two; the bound keeps a caller that never restores from
  // growing the list without end.
  constexpr std::size_t kMaxSavedPens = 64;
  if (m_savedPens.size() < kMaxSavedPens) {
    m_savedPens.push_back(m_penPixel);
  }
  m_penPixel = PixelFromColourRef(colour);
}

void CRasterPainter::RestorePen() {
  if (m_savedPens.empty()) {
    m_penPixel = kBlack;
    return;
  }
  m_penPixel = m_savedPens.back();
  m_savedPens.pop_back();
}

void CRasterPainter::MoveTo(int x, int y) {
  m_currentX = x;
  m_currentY = y;
}

void CRasterPainter::LineTo(int x, int y) {
  CPixelTarget target(m_target.Pixels(), m_target.Width(), m_target.Height(), m_penPixel);
  RasterLine(target, m_currentX, m_currentY, x, y);
  AddDrawn(target.Changed());
  m_currentX = x;
  m_currentY = y;
}

void CRasterPainter::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                         int yEnd) {
  CPixelTarget target(m_target.Pixels(), m_target.Width(), m_target.Height(), m_penPixel);
  RasterArc(target, SArcRequest{left, top, right, bottom, xStart, yStart, xEnd, yEnd},
            m_quarterScratch);
  AddDrawn(target.Changed());
}

void CRasterPainter::FillRectBlack(int left, int top, int right, int bottom) {
  // A rectangle whose right or bottom edge lies before its left or top one covers nothing.
  // Outside what was ever drawn all is black: a screen-sized clear at the start reads nothing.
  const CRect lit = m_target.LitRect();
  const int fromX = std::max(left, lit.left);
  const int toX = std::min(right, lit.right);
  const int fromY = std::max(top, lit.top);
  const int toY = std::min(bottom, lit.bottom);
  if (fromX >= toX || fromY >= toY) {
    return;
  }
  if (left <= lit.left && top <= lit.top && right >= lit.right && bottom >= lit.bottom) {
    m_target.MarkAllBlack();
  }
  const int width = m_target.Width();
  std::uint32_t* pixels = m_target.Pixels();
  CRect changed{toX, toY, fromX, fromY};
  for (int y = fromY; y < toY; ++y) {
    std::uint32_t* row = pixels + static_cast<std::size_t>(y) * width;
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
