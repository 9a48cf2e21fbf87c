#include "image/ColourPalette.h"

#include <utility>

CColourPalette::CColourPalette(std::vector<PaletteEntry> entries) : m_entries(std::move(entries)) {}

const CColourPalette& CColourPalette::Default() {
  static const CColourPalette palette(
      {{0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
       {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
       {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
       {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
       {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0}});
  return palette;
}

int CColourPalette::GetEntry(int index, PaletteEntry& entry) const {
  if (index < 0 || index >= GetEntryCount()) {
    return 0;
  }
  entry = m_entries[static_cast<std::size_t>(index)];
  return 1;
}

int CColourPalette::GetNearestIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
  return NearestColourIndex(m_entries.data(), GetEntryCount(), red, green, blue);
}

int NearestColourIndex(const PaletteEntry* entries, int count, std::uint8_t red, std::uint8_t green,
                       std::uint8_t blue) {
  int best = -1;
  long bestDistance = 0;
  for (int i = 0; i < count; ++i) {
    const long dr = static_cast<long>(entries[i].red) - red;
    const long dg = static_cast<long>(entries[i].green) - green;
    const long db = static_cast<long>(entries[i].blue) - blue;
    const long distance = dr * dr + dg * dg + db * db;
    if (best < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}
