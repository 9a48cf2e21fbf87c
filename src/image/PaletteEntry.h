#pragma once

#include <cstdint>

// One colour of a palette or of a device bitmap's colour table. The flag byte is carried along
// the way the system's logical palettes carry it; nothing here interprets it.
struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;

  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};
