#pragma once

#include <cstdint>
#include <vector>

#include "image/PaletteEntry.h"

// A device-dependent bitmap as the platform hands it over for a screenshot: the X11 layer fills
// it from the window's raster pixels, the Win32 layer from GetDIBits. It only points at the
// pixels; they must stay alive while a CDibFile is constructed from it.
//
// Pixel forms, per bitsPerPixel (the forms a device-independent bitmap uses, so that both
// platforms fill it without converting):
//   32: 4 bytes per pixel, blue, green, red, unused (the raster canvas's 0x00RRGGBB words
//       written low byte first, whatever the machine's byte order: stride = 4 x width);
//   24: 3 bytes per pixel, blue, green, red;
//   16: one little-endian 16-bit word per pixel, 5 bits each of red, green, blue (bit 15
//       unused, red in bits 10-14);
//   1, 4, 8: indexes into colours, the leftmost pixel in the high bits of a byte.
struct CDeviceBitmap {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  // Bytes from the start of one row to the start of the next; a part of a larger buffer (the
  // drawing area without its two right-most columns) keeps the buffer's stride.
  int stride = 0;
  // The first byte of the top row; rows follow top to bottom.
  const std::uint8_t* bits = nullptr;
  // For 8 bits or less: the device's colours, index 0 first. Ignored above 8 bits.
  std::vector<PaletteEntry> colours;
};
