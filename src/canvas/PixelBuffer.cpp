#include "canvas/PixelBuffer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

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
  return std::clamp(side, 0, CPixelBuffer::kMaxSide);
}

}  // namespace

CPixelBuffer::CPixelBuffer(int width, int height) {
  Resize(width, height);
}

int CPixelBuffer::Resize(int width, int height) {
  width = ClampSide(width);
  height = ClampSide(height);
  if (width == m_width && height == m_height) {
    return 1;  // windows report unchanged sizes often
  }
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
  return 1;
}

void CPixelBuffer::Borrow(std::uint32_t* pixels) {
  m_pixels = pixels;
  m_ownBlock.reset();
}

int CPixelBuffer::TakeOwnBlock() {
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
