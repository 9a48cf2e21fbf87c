#pragma once

#include <cstdint>

#include "canvas/DrawingSurface.h"

// A COLORREF (0x00BBGGRR) as a framebuffer pixel (0x00RRGGBB, bytes B, G, R, X in memory);
// the COLORREF's top byte selects palette modes GDI ignores for a true-colour surface.
inline std::uint32_t PixelFromColourRef(ColourRef colour) {
  return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}
