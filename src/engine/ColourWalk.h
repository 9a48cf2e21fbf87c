#pragma once

#include <array>
#include <cstdint>

#include "canvas/DrawingSurface.h"
#include "engine/RandomNumbers.h"

// The pen colour that drifts by a small step per point, each channel bouncing between the
// colour floor and 250. Started once per window and never reset between figures.
class CColourWalk {
 public:
  void InitColourWalk(CRandomNumbers& random);
  // Advances every channel by its step, turning the ones at an end first; floor is the
  // settings' colour option, read as a signed value.
  ColourRef NextColour(std::int16_t floor);
  ColourRef Colour() const;

  std::array<std::uint8_t, 3> m_colour{};      // red, green, blue
  std::array<std::int32_t, 3> m_colourStep{};  // red, green, blue
};
