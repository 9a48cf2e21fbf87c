#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "image/ColourPalette.h"
#include "image/DibSizes.h"

// The packed block: a device-independent bitmap without its file header, in one allocation:
// the 40-byte info header (little-endian), the colour table (biClrUsed 4-byte entries blue,
// green, red, 0), the pixel rows (bottom row first, each padded to a multiple of 4 bytes).
// Blocks are allocated with AllocDib or the readers and owned through a DibPtr.

inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::uint32_t kCompressionRgb = 0;
inline constexpr std::uint32_t kCompressionBitFields = 3;

// The two colour-table forms: while an image holds a palette its table holds the 16-bit
// indexes 0, 1, 2... (index form); in a file it holds the colours (colour form).
inline constexpr int kColourTableIndexForm = 1;
inline constexpr int kColourTableColourForm = 0;

// Blocks come from calloc, so that the readers can build them in place; they go back with free.
struct CDibFree {
  void operator()(std::uint8_t* block) const { std::free(block); }
};
using DibPtr = std::unique_ptr<std::uint8_t[], CDibFree>;

// A zero-filled block of the given bytes; empty when memory runs out.
DibPtr CallocDib(std::size_t bytes);

struct BitmapInfoHeader {
  std::uint32_t biSize = kInfoHeaderSize;
  std::int32_t biWidth = 0;
  std::int32_t biHeight = 0;
  std::uint16_t biPlanes = 1;
  std::uint16_t biBitCount = 0;
  std::uint32_t biCompression = kCompressionRgb;
  std::uint32_t biSizeImage = 0;
  std::int32_t biXPelsPerMeter = 0;
  std::int32_t biYPelsPerMeter = 0;
  std::uint32_t biClrUsed = 0;
  std::uint32_t biClrImportant = 0;
};

BitmapInfoHeader ReadInfoHeader(const std::uint8_t* block);
void WriteInfoHeader(std::uint8_t* block, const BitmapInfoHeader& header);

// True for the bit counts a block may have: 1, 4, 8, 16, 24, 32.
bool IsDibBitCount(int bitCount);

// A new zero-filled block with header and default colour table: 2 entries (black, white) for
// 1 bit, 16 for 4 bits, 256 for 8 bits, none above. Null when the width, height or bit count
// cannot make an image (not positive, not a block bit count, larger than 32 bits can count)
// or memory runs out.
DibPtr AllocDib(int bitCount, int width, int height);

// biClrUsed when nonzero; else 2 to the bit count up to 8 bits; else 0.
int DibColourCount(const std::uint8_t* block);

// First byte of the pixel rows.
std::uint8_t* DibPixelRows(std::uint8_t* block);

// A palette made from the colour table (colour form), each entry with the flags; null when the
// block has no colours.
std::unique_ptr<CColourPalette> CreateDibPalette(const std::uint8_t* block, std::uint8_t flags);

// Switches the colour table to index form (form 1) or fills it with the palette's colours (any
// other form; a null palette means the default palette, and table entries beyond the
// palette's entries keep their bytes). 0 for a null block, else 1.
int SetDibColourTable(std::uint8_t* block, const CColourPalette* palette, int form);

// 0 when the index is outside 0..255, the palette is null or has no such entry; otherwise 1
// with the entry's colour.
int GetPaletteEntryRGB(const CColourPalette* palette, int index, std::uint8_t& red,
                       std::uint8_t& green, std::uint8_t& blue);
