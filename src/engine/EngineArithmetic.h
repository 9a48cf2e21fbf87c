#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// The conversion the engine makes from doubles to pixel coordinates and radii. The figure's
// own values are inside the 32-bit range; the product of an absurd stored object size and the
// drawing area is not, and saturates here before the radius is capped.
namespace EngineArithmetic {

// Truncation toward zero into a 32-bit signed integer, saturating out-of-range values and
// mapping NaN to 0 instead of leaving them undefined.
inline std::int32_t TruncToInt32(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  if (value >= 2147483647.0) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value <= -2147483648.0) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace EngineArithmetic
