#include "canvas/LineRaster.h"

#include <algorithm>
#include <cstdlib>

#include "canvas/PixelTarget.h"
#include "canvas/WideMath.h"

// The walk, in the terms of its major axis (the longer difference; equal differences count as
// vertical) and minor axis: pixel k (0 <= k < major) sits k steps along the major axis and
// n(k) steps along the minor one. After each pixel an error term decides the minor step; its
// closed form n(k) = ceil((2 minor k - major + tie) / (2 major)) lets the clip find the first
// and last visible k, and the walk's state at the first one, without walking there.
// `tie` is 1 when the minor axis runs negative: an exact tie between two pixels then goes to the
// one with the smaller minor coordinate, as GDI's lines do in every direction.
namespace {

struct SAxisWalk {
  bool xMajor;
  std::int64_t majorStart;
  std::int64_t minorStart;
  int majorStep;
  int minorStep;
  std::int64_t major;  // pixels lit by the unclipped line
  std::int64_t minor;
  int tie;
  std::int64_t majorLimit;  // surface size along each axis
  std::int64_t minorLimit;
};

SAxisWalk DescribeWalk(const CPixelTarget& target, std::int64_t x0, std::int64_t y0,
                       std::int64_t dx, std::int64_t dy) {
  const bool xMajor = std::abs(dx) > std::abs(dy);
  const std::int64_t majorDelta = xMajor ? dx : dy;
  const std::int64_t minorDelta = xMajor ? dy : dx;
  SAxisWalk walk{};
  walk.xMajor = xMajor;
  walk.majorStart = xMajor ? x0 : y0;
  walk.minorStart = xMajor ? y0 : x0;
  walk.majorStep = majorDelta < 0 ? -1 : 1;
  walk.minorStep = minorDelta < 0 ? -1 : 1;
  walk.major = std::abs(majorDelta);
  walk.minor = std::abs(minorDelta);
  walk.tie = minorDelta < 0 ? 1 : 0;
  walk.majorLimit = xMajor ? target.Width() : target.Height();
  walk.minorLimit = xMajor ? target.Height() : target.Width();
  return walk;
}

// Range of pixel indexes k whose pixel lies on the surface; empty when first > last.
struct SStepRange {
  std::int64_t first;
  std::int64_t last;
};

SStepRange VisibleSteps(const SAxisWalk& walk) {
  SStepRange range{0, walk.major - 1};
  if (walk.majorStep > 0) {
    range.first = std::max(range.first, -walk.majorStart);
    range.last = std::min(range.last, walk.majorLimit - 1 - walk.majorStart);
  } else {
    range.first = std::max(range.first, walk.majorStart - (walk.majorLimit - 1));
    range.last = std::min(range.last, walk.majorStart);
  }
  if (range.first > range.last) {
    return range;
  }

  // Minor steps n that keep the pixel on the surface.
  std::int64_t lowSteps =
      walk.minorStep > 0 ? -walk.minorStart : walk.minorStart - (walk.minorLimit - 1);
  std::int64_t highSteps =
      walk.minorStep > 0 ? walk.minorLimit - 1 - walk.minorStart : walk.minorStart;
  // n(k) runs from 0 to at most `minor`.
  lowSteps = std::max<std::int64_t>(lowSteps, 0);
  highSteps = std::min(highSteps, walk.minor);
  if (lowSteps > highSteps) {
    return {1, 0};
  }
  if (walk.minor == 0) {
    return range;  // n(k) is 0 throughout, which the bounds above admit
  }
  const std::int64_t twiceMajor = 2 * walk.major;
  const std::int64_t twiceMinor = 2 * walk.minor;
  if (lowSteps > 0) {
    // First k with n(k) >= lowSteps.
    const SFloorDivision before =
        FloorMulAddDiv(twiceMajor, lowSteps - 1, walk.major - walk.tie, twiceMinor);
    range.first = std::max(range.first, before.quotient + 1);
  }
  // Last k with n(k) <= highSteps.
  const SFloorDivision through =
      FloorMulAddDiv(twiceMajor, highSteps, walk.major - walk.tie, twiceMinor);
  range.last = std::min(range.last, through.quotient);
  return range;
}

}  // namespace

void RasterLine(CPixelTarget& target, std::int64_t x0, std::int64_t y0, std::int64_t x1,
                std::int64_t y1) {
  const std::int64_t dx = x1 - x0;
  const std::int64_t dy = y1 - y0;
  if (dx == 0 && dy == 0) {
    return;
  }
  const SAxisWalk walk = DescribeWalk(target, x0, y0, dx, dy);
  const SStepRange steps = VisibleSteps(walk);
  if (steps.first > steps.last) {
    return;
  }

  const std::int64_t twiceMajor = 2 * walk.major;
  const std::int64_t twiceMinor = 2 * walk.minor;
  // The walk's state at the first visible pixel: minor steps taken so far and the error term
  // the step-by-step walk would hold there.
  const SFloorDivision start =
      FloorMulAddDiv(twiceMinor, steps.first, walk.major + walk.tie - 1, twiceMajor);
  std::int64_t error = twiceMinor - twiceMajor - walk.tie + 1 + start.remainder;
  // Both stay on the surface for every visible k, so they fit in int.
  int majorPos = static_cast<int>(walk.majorStart + walk.majorStep * steps.first);
  int minorPos = static_cast<int>(walk.minorStart + walk.minorStep * start.quotient);
  for (std::int64_t k = steps.first; k <= steps.last; ++k) {
    if (walk.xMajor) {
      target.Plot(majorPos, minorPos);
    } else {
      target.Plot(minorPos, majorPos);
    }
    majorPos += walk.majorStep;
    if (error + walk.tie > 0) {
      minorPos += walk.minorStep;
      error += twiceMinor - twiceMajor;
    } else {
      error += twiceMinor;
    }
  }
}
