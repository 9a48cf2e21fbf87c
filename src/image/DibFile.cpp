#include "image/DibFile.h"

#include <cstdlib>
#include <cstring>

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

// The device's rows are already in the block's pixel forms; the unused fourth byte of a 32-bit
// pixel is cleared so that what the device left there does not reach the file.
void CopyRow(const std::uint8_t* source, int bitCount, std::uint8_t* target, int width) {
  std::memcpy(target, source, static_cast<std::size_t>((std::int64_t{width} * bitCount + 7) / 8));
  for (int x = 0; bitCount == 32 && x < width; ++x) {
    target[static_cast<std::size_t>(x) * 4 + 3] = 0;
  }
}

}  // namespace

CDibFile::CDibFile(const CDeviceBitmap* bitmap) {
  if (bitmap == nullptr || !IsUsableBitmap(*bitmap)) {
    return;
  }
  Create(bitmap->width, bitmap->height, bitmap->bitsPerPixel, -1);
  if (!m_dib) {
    return;
  }
  for (int y = 0; y < m_height; ++y) {
    // The description runs top-down, the block bottom-up.
    const std::uint8_t* source =
        bitmap->bits + static_cast<std::int64_t>(m_height - 1 - y) * bitmap->stride;
    CopyRow(source, m_bitCount, m_bits + static_cast<std::size_t>(y) * m_rowBytes, m_width);
  }
  if (m_bitCount <= 8) {
    std::uint8_t* table = m_dib.get() + kInfoHeaderSize;
    const int count = DibColourCount(m_dib.get());
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
  AttachDib(ReadDibFile(m_fileName));
  if (!m_dib) {
    return 0;
  }
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
    return WriteDibFile(name, m_dib.get());
  }
  SetDibColourTable(m_dib.get(), m_palette.get(), kColourTableColourForm);
  const int result = WriteDibFile(name, m_dib.get());
  SetDibColourTable(m_dib.get(), m_palette.get(), kColourTableIndexForm);
  return result;
}
