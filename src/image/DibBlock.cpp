#include "image/DibBlock.h"

#include <algorithm>
#include <limits>

#include "image/LittleEndian.h"

namespace {

// The sixteen standard colours (red, green, blue) that fill a new colour table.
constexpr std::uint8_t kStandardColours[16][3] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};

// Room for the largest colour table, whatever the bit count, so that a table can always grow
// to 256 entries in place.
constexpr std::size_t kFullTableBytes = 256 * 4;

std::uint32_t DefaultColourCount(int bitCount) {
  switch (bitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

void PutTableEntry(std::uint8_t* table, int index, std::uint8_t red, std::uint8_t green,
                   std::uint8_t blue) {
  std::uint8_t* entry = table + 4 * index;
  entry[0] = blue;
  entry[1] = green;
  entry[2] = red;
  entry[3] = 0;
}

void FillDefaultTable(std::uint8_t* table, int bitCount, std::uint32_t count) {
  if (bitCount == 1) {
    // Monochrome: black and white, the two ends of the standard colours.
    PutTableEntry(table, 0, 0, 0, 0);
    PutTableEntry(table, 1, 255, 255, 255);
    return;
  }
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* rgb = kStandardColours[i % 16];
    PutTableEntry(table, static_cast<int>(i), rgb[0], rgb[1], rgb[2]);
  }
}

}  // namespace

BitmapInfoHeader ReadInfoHeader(const std::uint8_t* block) {
  BitmapInfoHeader h;
  h.biSize = GetLe32(block + 0);
  h.biWidth = static_cast<std::int32_t>(GetLe32(block + 4));
  h.biHeight = static_cast<std::int32_t>(GetLe32(block + 8));
  h.biPlanes = GetLe16(block + 12);
  h.biBitCount = GetLe16(block + 14);
  h.biCompression = GetLe32(block + 16);
  h.biSizeImage = GetLe32(block + 20);
  h.biXPelsPerMeter = static_cast<std::int32_t>(GetLe32(block + 24));
  h.biYPelsPerMeter = static_cast<std::int32_t>(GetLe32(block + 28));
  h.biClrUsed = GetLe32(block + 32);
  h.biClrImportant = GetLe32(block + 36);
  return h;
}

void WriteInfoHeader(std::uint8_t* block, const BitmapInfoHeader& h) {
  PutLe32(block + 0, h.biSize);
  PutLe32(block + 4, static_cast<std::uint32_t>(h.biWidth));
  PutLe32(block + 8, static_cast<std::uint32_t>(h.biHeight));
  PutLe16(block + 12, h.biPlanes);
  PutLe16(block + 14, h.biBitCount);
  PutLe32(block + 16, h.biCompression);
  PutLe32(block + 20, h.biSizeImage);
  PutLe32(block + 24, static_cast<std::uint32_t>(h.biXPelsPerMeter));
  PutLe32(block + 28, static_cast<std::uint32_t>(h.biYPelsPerMeter));
  PutLe32(block + 32, h.biClrUsed);
  PutLe32(block + 36, h.biClrImportant);
}

bool IsDibBitCount(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
         bitCount == 32;
}

DibPtr CallocDib(std::size_t bytes) {
  return DibPtr(static_cast<std::uint8_t*>(std::calloc(bytes, 1)));
}

DibPtr AllocDib(int bitCount, int width, int height) {
  if (!IsDibBitCount(bitCount)) {
    return nullptr;
  }
  // The size rules refuse widths and heights that are not positive.
  const std::uint32_t imageSize = DibImageBytes(DibRowBytes(width, bitCount), height);
  const std::uint32_t blockBytes = DibBlockBytes(kFullTableBytes, imageSize);
  DibPtr block = blockBytes == 0 ? nullptr : CallocDib(blockBytes);
  if (!block) {
    return nullptr;
  }
  BitmapInfoHeader header;
  header.biWidth = width;
  header.biHeight = height;
  header.biBitCount = static_cast<std::uint16_t>(bitCount);
  header.biSizeImage = imageSize;
  header.biClrUsed = DefaultColourCount(bitCount);
  WriteInfoHeader(block.get(), header);
  FillDefaultTable(block.get() + kInfoHeaderSize, bitCount, header.biClrUsed);
  return block;
}

int DibColourCount(const std::uint8_t* block) {
  const std::uint32_t used = GetLe32(block + 32);
  if (used != 0) {
    return static_cast<int>(std::min<std::uint32_t>(used, std::numeric_limits<int>::max()));
  }
  const std::uint16_t bitCount = GetLe16(block + 14);
  return bitCount <= 8 ? 1 << bitCount : 0;
}

std::uint8_t* DibPixelRows(std::uint8_t* block) {
  const BitmapInfoHeader header = ReadInfoHeader(block);
  // No block holds more than 256 colours, whatever a stray count says.
  const std::size_t tableBytes =
      header.biCompression == kCompressionBitFields
          ? 12
          : 4 * std::size_t{std::min<std::uint32_t>(header.biClrUsed, 256)};
  return block + header.biSize + tableBytes;
}

std::unique_ptr<CColourPalette> CreateDibPalette(const std::uint8_t* block, std::uint8_t flags) {
  if (block == nullptr) {
    return nullptr;
  }
  // The count travels as 16 bits, and a palette holds 256 entries at most.
  const int count = std::min(DibColourCount(block) & 0xFFFF, 256);
  if (count == 0) {
    return nullptr;
  }
  std::vector<PaletteEntry> entries(static_cast<std::size_t>(count));
  const std::uint8_t* table = block + kInfoHeaderSize;
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* quad = table + 4 * i;
    entries[static_cast<std::size_t>(i)] = {quad[2], quad[1], quad[0], flags};
  }
  return std::make_unique<CColourPalette>(std::move(entries));
}

int SetDibColourTable(std::uint8_t* block, const CColourPalette* palette, int form) {
  if (palette == nullptr) {
    palette = &CColourPalette::Default();
  }
  if (block == nullptr) {
    return 0;
  }
  int count = DibColourCount(block);
  if (count == 3 && ReadInfoHeader(block).biCompression == kCompressionBitFields) {
    count = 0;  // those three slots are the bit-field masks, not colours
  }
  if (count <= 0) {
    return 1;
  }
  count = std::min(count, 256);
  std::uint8_t* table = block + kInfoHeaderSize;
  if (form == kColourTableIndexForm) {
    for (int i = 0; i < count; ++i) {
      PutLe16(table + 2 * i, static_cast<std::uint16_t>(i));
    }
    return 1;
  }
  for (int i = 0; i < count; ++i) {
    PaletteEntry entry;
    if (palette->GetEntry(i, entry) != 0) {
      PutTableEntry(table, i, entry.red, entry.green, entry.blue);
    }
  }
  return 1;
}

int GetPaletteEntryRGB(const CColourPalette* palette, int index, std::uint8_t& red,
                       std::uint8_t& green, std::uint8_t& blue) {
  // The palette refuses an index outside its entries, and it holds 256 at most.
  PaletteEntry entry;
  if (palette == nullptr || palette->GetEntry(index, entry) == 0) {
    return 0;
  }
  red = entry.red;
  green = entry.green;
  blue = entry.blue;
  return 1;
}
