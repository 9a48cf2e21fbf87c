#include "image/DibFile.h"

#include <cstdlib>
#include <cstring>

#include "image/DibBlock.h"
#include "image/DibFileIo.h"

namespace {

bool IsUsableBitmap(const CDeviceBitmap& bitmap) {
  if (bitmap.bits == nullptr || bitmap.width < 1 || bitmap.height < 1 ||
      !IsDibBitCount(bitmap.bitsPerPixel)) {
    return false;
  }
  const std::int64_t packedRow = (std::int64_t{bitmap.width} * bitmap.bitsPerPixel + 7) / 8;
  return std::llabs(std::int64_t{bitmap.stride}) >= packedRow;
}

void CopyRow(const std::uint8_t* source, int sourceBits, std::uint8_t* target, int width) {
  if (sourceBits == 24 || sourceBits == 32) {
    const int step = sourceBits / 8;
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* from = source + static_cast<std::size_t>(x) * step;
      std::uint8_t* to = target + static_cast<std::size_t>(x) * 4;
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
      to[3] = 0;
    }
    return;
  }
  std::memcpy(target, source, static_cast<std::size_t>((std::int64_t{width} * sourceBits + 7) / 8));
}

}  // namespace

CDibFile::CDibFile(const CDeviceBitmap* bitmap) {
  if (bitmap == nullptr || !IsUsableBitmap(*bitmap)) {
    return;
  }
  const int sourceBits = bitmap->bitsPerPixel;
  Create(bitmap->width, bitmap->height, sourceBits >= 24 ? 32 : sourceBits, -1);
  if (m_dib == nullptr) {
    return;
  }
  for (int y = 0; y < m_height; ++y) {
    // The description runs top-down, the block bottom-up.
    const std::uint8_t* source =
        bitmap->bits + static_cast<std::int64_t>(m_height - 1 - y) * bitmap->stride;
    CopyRow(source, sourceBits, m_bits + static_cast<std::size_t>(y) * m_rowBytes, m_width);
  }
  if (sourceBits <= 8) {
    std::uint8_t* table = m_dib + kInfoHeaderSize;
    const int count = DibColourCount(m_dib);
    for (int i = 0; i < count; ++i) {
      const PaletteEntry colour = static_cast<std::size_t>(i) < bitmap->colours.size()
                                      ? bitmap->colours[static_cast<std::size_t>(i)]
                                      : PaletteEntry{};
      table[4 * i] = colour.blue;
      table[4 * i + 1] = colour.green;
      table[4 * i + 2] = colour.red;
      table[4 * i + 3] = 0;
    }
    BuildPalette();
  }
}

int CDibFile::Load(const std::string& name) {
  if (!name.empty()) {
    m_fileName = name;
  }
  Clear();
  std::uint8_t* block = ReadDibFile(m_fileName);
  if (block == nullptr) {
    return 0;
  }
  AttachDib(block);
  BuildPalette();
  return 1;
}

int CDibFile::Save(const std::string& name) {
  if (name.empty()) {
    return 0;
  }
  m_fileName = name;
  if (!m_palette) {
    // Without a palette the table already holds the image's own colours.
    return WriteDibFile(name, m_dib);
  }
  SetDibColourTable(m_dib, m_palette.get(), kColourTableColourForm);
  const int result = WriteDibFile(name, m_dib);
  SetDibColourTable(m_dib, m_palette.get(), kColourTableIndexForm);
  return result;
}
