#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/PaletteEntry.h"

// The logical palette an image builds from its colour table: its entries and the nearest-colour
// lookup the index form of the image needs. It stands in for the platform's palette object.
class CColourPalette {
 public:
  explicit CColourPalette(std::vector<PaletteEntry> entries);

  // The palette every display starts with: the twenty static colours.
  static const CColourPalette& Default();

  int GetEntryCount() const { return static_cast<int>(m_entries.size()); }
  // Nonzero with the entry when index names one; 0 otherwise.
  int GetEntry(int index, PaletteEntry& entry) const;
  // The entry closest to the colour by the sum of squared channel differences; the first such
  // entry on ties. -1 for an empty palette.
  int GetNearestIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;

 private:
  std::vector<PaletteEntry> m_entries;
};

// The nearest-colour rule on a plain array of entries; -1 when count is 0.
int NearestColourIndex(const PaletteEntry* entries, int count, std::uint8_t red, std::uint8_t green,
                       std::uint8_t blue);
