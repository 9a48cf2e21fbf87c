#include "platform/unix/OutputScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "canvas/RasterCanvas.h"

int SurfacePixels(int logical, std::int32_t scale) {
  const std::int64_t pixels =
      static_cast<std::int64_t>(std::max(logical, 0)) * std::max<std::int32_t>(scale, 1);
  return static_cast<int>(std::min<std::int64_t>(pixels, CRasterCanvas::kMaxSide));
}

std::int32_t PointerPixel(double logical, std::int32_t scale) {
  const double pixel = std::floor(logical * std::max<std::int32_t>(scale, 1));
  constexpr double kLimit = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(pixel, -kLimit, kLimit));
}
