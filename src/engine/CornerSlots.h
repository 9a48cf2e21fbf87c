#pragma once

#include <array>
#include <cstdint>

#include "engine/Point.h"

// The stamper's memory between points: each polygon's corners in its own slots, so that the
// two halves of a composite star join their own corners, and whether the figure has stamped
// any polygon yet.
struct CCornerSlots {
  static constexpr int kCornerSlots = 8;

  std::array<CPoint, kCornerSlots> m_prevCorners{};
  std::array<CPoint, kCornerSlots> m_curCorners{};
  std::int32_t m_firstStamp = 1;
};
