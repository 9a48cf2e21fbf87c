#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Conversions that the engine makes from doubles and wide sums to pixel coordinates. The
// figure's own values are always well inside the 32-bit range; these keep the rare values
// that are not (settings the sheet never writes, a state set up by hand) defined.
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

// Pixel coordinates are held within +-2^30, so that adding a radius or a corner offset to
// one never overflows.
inline constexpr std::int64_t kPixelLimit = std::int64_t{1} << 30;

inline std::int32_t ClampPixel(std::int64_t value) {
  if (value > kPixelLimit) {
    return static_cast<std::int32_t>(kPixelLimit);
  }
  if (value < -kPixelLimit) {
    return static_cast<std::int32_t>(-kPixelLimit);
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace EngineArithmetic
