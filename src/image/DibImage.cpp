#include "image/DibImage.h"

#include <algorithm>
#include <vector>

#include "image/DibBlock.h"
#include "image/LittleEndian.h"

namespace {

std::uint8_t Widen5(unsigned value) {
  return static_cast<std::uint8_t>((value << 3) | (value >> 2));
}

}  // namespace

void CDibImage::Clear() {
  m_dib.reset();
  m_bits = nullptr;
  m_palette.reset();
  m_width = 0;
  m_height = 0;
  m_bitCount = 0;
  m_colourMode = 0;
  m_rowBytes = 0;
}

void CDibImage::AttachDib(DibPtr block) {
  Clear();
  if (!block) {
    return;
  }
  const BitmapInfoHeader header = ReadInfoHeader(block.get());
  m_dib = std::move(block);
  m_width = header.biWidth;
  m_height = header.biHeight;
  m_bitCount = header.biBitCount;
  m_bits = DibPixelRows(m_dib.get());
  m_rowBytes = static_cast<int>(DibRowBytes(m_width, m_bitCount));
  m_colourMode = m_bitCount <= 8 ? 0 : 2;
}

int CDibImage::BuildPalette() {
  if (!m_dib || m_bitCount > 8) {
    return 0;
  }
  std::unique_ptr<CColourPalette> palette = CreateDibPalette(m_dib.get(), 0);
  if (!palette) {
    return 0;
  }
  m_palette = std::move(palette);
  SetDibColourTable(m_dib.get(), m_palette.get(), kColourTableIndexForm);
  m_colourMode = 3;
  return 1;
}

int CDibImage::IsInside(int x, int y) const {
  return x >= 0 && x < m_width && y >= 0 && y < m_height ? 1 : 0;
}

void CDibImage::Create(int width, int height, int bitCount, int colourMode) {
  AttachDib(AllocDib(bitCount, width, height));
  if (!m_dib) {
    return;
  }
  m_colourMode = colourMode >= 0 ? colourMode : (bitCount <= 8 ? 0 : 2);
}

std::uint8_t* CDibImage::PixelByte(int x, int y) const {
  // x times the bit count can pass 32 bits before the division brings it back into the row.
  const std::uint64_t offset =
      std::uint64_t{static_cast<std::uint32_t>(y)} * static_cast<std::uint32_t>(m_rowBytes) +
      std::uint64_t{static_cast<std::uint32_t>(x)} * static_cast<std::uint32_t>(m_bitCount) / 8;
  return m_bits + static_cast<std::size_t>(offset);
}

int CDibImage::GetPixelIndex(int x, int y) const {
  if (IsInside(x, y) == 0 || m_bitCount > 8) {
    return -1;
  }
  const std::uint8_t byte = *PixelByte(x, y);
  switch (m_bitCount) {
    case 1:
      return (byte >> (7 - x % 8)) & 0x1;
    case 4:
      return x % 2 == 0 ? byte >> 4 : byte & 0xF;
    default:
      return byte;
  }
}

int CDibImage::SetPixelIndex(int x, int y, int index) {
  if (IsInside(x, y) == 0 || m_bitCount > 8) {
    return 0;
  }
  std::uint8_t* byte = PixelByte(x, y);
  switch (m_bitCount) {
    case 1: {
      const int shift = 7 - x % 8;
      *byte = static_cast<std::uint8_t>((*byte & ~(1 << shift)) | ((index & 0x1) << shift));
      break;
    }
    case 4: {
      const int shift = x % 2 == 0 ? 4 : 0;
      *byte = static_cast<std::uint8_t>((*byte & ~(0xF << shift)) | ((index & 0xF) << shift));
      break;
    }
    default:
      *byte = static_cast<std::uint8_t>(index);
      break;
  }
  return 1;
}

int CDibImage::GetPixelRGB(int x, int y, std::uint8_t& red, std::uint8_t& green,
                           std::uint8_t& blue) const {
  if (IsInside(x, y) == 0) {
    return 0;
  }
  if (m_palette) {
    return GetPaletteEntryRGB(m_palette.get(), GetPixelIndex(x, y), red, green, blue);
  }
  const std::uint8_t* pixel = PixelByte(x, y);
  if (m_bitCount <= 8) {
    // Without a palette the table is in colour form, so the index names a table entry.
    const int index = GetPixelIndex(x, y);
    if (index >= DibColourCount(m_dib.get())) {
      return 0;
    }
    const std::uint8_t* quad = m_dib.get() + kInfoHeaderSize + 4 * index;
    blue = quad[0];
    green = quad[1];
    red = quad[2];
    return 1;
  }
  if (m_bitCount == 16) {
    const unsigned word = GetLe16(pixel);
    red = Widen5((word >> 10) & 0x1F);
    green = Widen5((word >> 5) & 0x1F);
    blue = Widen5(word & 0x1F);
    return 1;
  }
  blue = pixel[0];
  green = pixel[1];
  red = pixel[2];
  return 1;
}

int CDibImage::SetPixelRGB(int x, int y, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  if (IsInside(x, y) == 0) {
    return 0;
  }
  if ((m_colourMode & 1) != 0) {
    if (!m_palette) {
      return 0;
    }
    SetPixelIndex(x, y, m_palette->GetNearestIndex(red, green, blue));
    return 1;
  }
  std::uint8_t* pixel = PixelByte(x, y);
  if (m_bitCount <= 8) {
    int index = -1;
    if (m_palette) {
      index = m_palette->GetNearestIndex(red, green, blue);
    } else {
      const int count = std::min(DibColourCount(m_dib.get()), 256);
      std::vector<PaletteEntry> colours(static_cast<std::size_t>(count));
      for (int i = 0; i < count; ++i) {
        const std::uint8_t* quad = m_dib.get() + kInfoHeaderSize + 4 * i;
        colours[static_cast<std::size_t>(i)] = {quad[2], quad[1], quad[0], 0};
      }
      index = NearestColourIndex(colours.data(), count, red, green, blue);
    }
    return index < 0 ? 0 : SetPixelIndex(x, y, index);
  }
  if (m_bitCount == 16) {
    PutLe16(pixel,
            static_cast<std::uint16_t>(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3)));
    return 1;
  }
  pixel[0] = blue;
  pixel[1] = green;
  pixel[2] = red;
  return 1;
}

int CDibImage::Load(const std::string&) {
  return 0;
}

int CDibImage::Save(const std::string&) {
  return 0;
}
