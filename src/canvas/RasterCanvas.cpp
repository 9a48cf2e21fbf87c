#include "canvas/RasterCanvas.h"

#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "canvas/ArcRaster.h"
#include "canvas/LineRaster.h"
#include "canvas/PixelFormat.h"
#include "canvas/PixelTarget.h"

namespace {

constexpr std::uint32_t kBlack = 0;

// Zeroed room for count pixels, or nullptr. A screen-sized block is handed to the kernel as
// huge pages where it takes them: a few page faults instead of thousands, and one TLB entry
// for the hundreds of rows a stamp touches.
std::uint32_t* AllocateBlack(std::size_t count) {
  const std::size_t bytes = std::max<std::size_t>(count, 1) * sizeof(std::uint32_t);
#if defined(__linux__)
  constexpr std::size_t kHugePage = std::size_t{2} << 20;
  if (bytes >= kHugePage) {
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* block = std::aligned_alloc(kHugePage, rounded);
    if (block != nullptr) {
      madvise(block, rounded, MADV_HUGEPAGE);
      std::memset(block, 0, rounded);
    }
    return static_cast<std::uint32_t*>(block);
  }
#endif
  return static_cast<std::uint32_t*>(std::calloc(bytes, 1));
}

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
  static_assert(kBlack == 0);  // the new block comes zeroed
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::unique_ptr<std::uint32_t[], SFreePixels> resized(AllocateBlack(count));
  if (!resized) {
    return 0;
  }
  const int sharedWidth = std::min(width, m_width);
  const int sharedHeight = std::min(height, m_height);
  for (int y = 0; y < sharedHeight; ++y) {
    const std::uint32_t* from = m_pixels + static_cast<std::size_t>(y) * m_width;
    std::copy_n(from, sharedWidth, resized.get() + static_cast<std::size_t>(y) * width);
  }
  m_ownBlock = std::move(resized);
  m_pixels = m_ownBlock.get();
  m_lit =
      CRect{m_lit.left, m_lit.top, std::min(m_lit.right, width), std::min(m_lit.bottom, height)};
  m_width = width;
  m_height = height;
  m_dirty = CRect{};
  AddDirty(CRect{0, 0, width, height});
  return 1;
}

void CRasterCanvas::DrawInto(std::uint32_t* pixels) {
  m_pixels = pixels;
  m_ownBlock.reset();
}

int CRasterCanvas::DrawIntoOwnBlock() {
  if (m_ownBlock) {
    return 1;
  }
  const std::size_t count = static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height);
  std::unique_ptr<std::uint32_t[], SFreePixels> block(AllocateBlack(count));
  if (!block) {
    return 0;
  }
  // Outside the lit rectangle both are black already.
  for (int y = m_lit.top; !m_lit.IsEmpty() && y < m_lit.bottom; ++y) {
    const std::size_t row = static_cast<std::size_t>(y) * m_width;
    std::copy(m_pixels + row + m_lit.left, m_pixels + row + m_lit.right,
              block.get() + row + m_lit.left);
  }
  m_ownBlock = std::move(block);
  m_pixels = m_ownBlock.get();
  return 1;
}

void CRasterCanvas::BeginContext() {
  if (m_beforeDrawing) {
    m_beforeDrawing();
  }
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
  m_dirty = Bounding(m_dirty, changed);
}

void CRasterCanvas::AddDrawn(const CRect& changed) {
  AddDirty(changed);
  m_lit = Bounding(m_lit, changed);
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
  CPixelTarget target(m_pixels, m_width, m_height, m_penPixel);
  RasterLine(target, m_currentX, m_currentY, x, y);
  AddDrawn(target.Changed());
  m_currentX = x;
  m_currentY = y;
}

void CRasterCanvas::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                        int yEnd) {
  CPixelTarget target(m_pixels, m_width, m_height, m_penPixel);
  RasterArc(target, SArcRequest{left, top, right, bottom, xStart, yStart, xEnd, yEnd},
            m_quarterScratch);
  AddDrawn(target.Changed());
}

void CRasterCanvas::FillRectBlack(int left, int top, int right, int bottom) {
  // A rectangle whose right or bottom edge lies before its left or top one covers nothing.
  // Outside what was ever drawn all is black: a screen-sized clear at the start reads nothing.
  const int fromX = std::max(left, m_lit.left);
  const int toX = std::min(right, m_lit.right);
  const int fromY = std::max(top, m_lit.top);
  const int toY = std::min(bottom, m_lit.bottom);
  if (fromX >= toX || fromY >= toY) {
    return;
  }
  if (left <= m_lit.left && top <= m_lit.top && right >= m_lit.right && bottom >= m_lit.bottom) {
    m_lit = CRect{};
  }
  CRect changed{toX, toY, fromX, fromY};
  for (int y = fromY; y < toY; ++y) {
    std::uint32_t* row = m_pixels + static_cast<std::size_t>(y) * m_width;
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
