#include "engine/ColourWalk.h"

void CColourWalk::InitColourWalk(CRandomNumbers& random) {
  // Different step sizes per channel keep the channels drifting apart in phase, so the
  // walk does not settle into a grey ramp.
  m_colourStep = {1, 2, 3};
  for (auto& channel : m_colour) {
    channel = static_cast<std::uint8_t>(random.Next() % 120 + 50);
  }
}

ColourRef CColourWalk::NextColour(std::int16_t floor) {
  for (int c = 0; c < 3; ++c) {
    const int value = m_colour[c];
    if (value >= 250 || value < floor + 1) {
      m_colourStep[c] = -m_colourStep[c];
    }
    m_colour[c] = static_cast<std::uint8_t>(value + m_colourStep[c]);
  }
  return Colour();
}

ColourRef CColourWalk::Colour() const {
  return static_cast<ColourRef>(m_colour[0]) | static_cast<ColourRef>(m_colour[1]) << 8 |
         static_cast<ColourRef>(m_colour[2]) << 16;
}
