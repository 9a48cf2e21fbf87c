#pragma once

#include <cstdint>
#include <vector>

// A point of the lower right quarter of an ellipse outline, as pixel offsets to the right of and
// below the box's middle column and row (width / 2 and height / 2 from its top-left corner).
struct SQuarterPoint {
  std::int32_t right;
  std::int32_t down;
};

// Widest and tallest box whose outline is walked with GDI's integer arithmetic; the walk's
// terms grow with width * height^2 and stay well inside 64 bits up to here.
inline constexpr std::int64_t kExactEllipseSide = std::int64_t{1} << 18;

// The quarter outline GDI walks for a box of width x height pixels (each 1 to
// kExactEllipseSide), from the middle row of the rightmost column down to the middle column,
// one point per step, each step moving right-to-left, downwards or both.
void BuildQuarterOutline(std::int64_t width, std::int64_t height,
                         std::vector<SQuarterPoint>& quarter);
