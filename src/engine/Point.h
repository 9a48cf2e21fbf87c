#pragma once

#include <cstdint>

// A point in client pixels.
struct CPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};
