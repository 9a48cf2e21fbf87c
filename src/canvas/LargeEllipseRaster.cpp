#include "canvas/LargeEllipseRaster.h"

#include <algorithm>
#include <cmath>

#include "canvas/PixelTarget.h"
#include "canvas/WideMath.h"

// Such ellipses only come from sizes far beyond any screen, so they need to look right and be
// cheap and deterministic rather than match GDI's walk bit for bit. Work in doubled offsets from
// the box's centre (X = 2x - (left + right - 1)), where the ellipse has semi-axes a = width - 1
// and b = height - 1 and every coordinate of a 32-bit box is exact in a double. A row spans
// one unit either side of its centre; on each side it lights the columns the outline crosses
// within that span, less the last one where the next row towards the middle takes over, so the
// outline is connected and one pixel thin whether it runs steep or flat.
namespace {

// A direction from the centre, in doubled offsets, with y turned upwards so that
// counter-clockwise on screen is counter-clockwise here. The centre itself counts as pointing
// along +x, as an angle of 0 would.
struct SDirection {
  std::int64_t x = 1;
  std::int64_t y = 0;
};

// Whether an arc admits a pixel is decided on the integers, by the signs of cross and dot
// products, never by comparing angles from atan2: the C library's atan2 may round differently on
// another machine, and two radials far out can differ by less than one step of a double.
class CArcFilter {
 public:
  CArcFilter(std::int64_t centre2X, std::int64_t centre2Y, std::int64_t xStart, std::int64_t yStart,
             std::int64_t xEnd, std::int64_t yEnd)
      : m_centre2X(centre2X),
        m_centre2Y(centre2Y),
        m_start(DirectionOf(xStart, yStart)),
        m_end(DirectionOf(xEnd, yEnd)),
        m_whole(Cross(m_start, m_end) == 0 && Dot(m_start, m_end) > 0),
        m_endInSecondHalf(InSecondHalf(m_end)) {}

  // Counter-clockwise from the start radial up to, not including, the end radial.
  bool Admits(std::int64_t x, std::int64_t y) const {
    if (m_whole) {
      return true;
    }
    const SDirection pixel = DirectionOf(x, y);
    const bool pixelInSecondHalf = InSecondHalf(pixel);
    if (pixelInSecondHalf != m_endInSecondHalf) {
      return m_endInSecondHalf;
    }
    // Within one half turn from the start, the earlier direction lies clockwise of the later.
    return Cross(pixel, m_end) > 0;
  }

 private:
  static int Cross(SDirection u, SDirection v) {
    return SignOfProductDifference(u.x, v.y, u.y, v.x);
  }
  static int Dot(SDirection u, SDirection v) {
    return SignOfProductDifference(u.x, v.x, -u.y, v.y);
  }

  SDirection DirectionOf(std::int64_t x, std::int64_t y) const {
    const SDirection direction{2 * x - m_centre2X, m_centre2Y - 2 * y};
    return direction.x == 0 && direction.y == 0 ? SDirection{} : direction;
  }

  // Half a turn or more counter-clockwise from the start radial (the start itself is at 0).
  bool InSecondHalf(SDirection v) const {
    const int cross = Cross(m_start, v);
    return cross < 0 || (cross == 0 && Dot(m_start, v) < 0);
  }

  std::int64_t m_centre2X;
  std::int64_t m_centre2Y;
  SDirection m_start;
  SDirection m_end;
  bool m_whole;
  bool m_endInSecondHalf;
};

// Doubled half-width of the outline at doubled row offset Y (|Y| <= b).
double HalfWidthAt(double a, double b, std::int64_t row) {
  const double t = static_cast<double>(row) / b;
  return a * std::sqrt(std::max(0.0, 1.0 - t * t));
}

// Rightmost pixel column of the outline on a row with the given doubled half-width.
std::int64_t RightColumn(std::int64_t centre2X, double halfWidth) {
  return static_cast<std::int64_t>(
      std::floor((static_cast<double>(centre2X) + halfWidth) / 2 + 0.5));
}

void PlotRun(CPixelTarget& target, const CArcFilter& filter, std::int64_t y, std::int64_t from,
             std::int64_t to) {
  from = std::max<std::int64_t>(from, 0);
  to = std::min<std::int64_t>(to, target.Width() - 1);
  for (std::int64_t x = from; x <= to; ++x) {
    if (filter.Admits(x, y)) {
      target.Plot(static_cast<int>(x), static_cast<int>(y));
    }
  }
}

}  // namespace

void RasterLargeArc(CPixelTarget& target, std::int64_t left, std::int64_t top, std::int64_t right,
                    std::int64_t bottom, std::int64_t xStart, std::int64_t yStart,
                    std::int64_t xEnd, std::int64_t yEnd) {
  const std::int64_t centre2X = left + right - 1;
  const std::int64_t centre2Y = top + bottom - 1;
  const auto a = static_cast<double>(right - left - 1);
  const auto b = static_cast<double>(bottom - top - 1);
  const CArcFilter filter(centre2X, centre2Y, xStart, yStart, xEnd, yEnd);

  const std::int64_t firstRow = std::max<std::int64_t>(top, 0);
  const std::int64_t lastRow = std::min<std::int64_t>(bottom - 1, target.Height() - 1);
  const auto depth = static_cast<std::int64_t>(b);
  for (std::int64_t y = firstRow; y <= lastRow; ++y) {
    std::int64_t outer = RightColumn(centre2X, 0);
    std::int64_t inner = right - 1;
    if (depth > 0) {  // a box one row high is all outline
      const std::int64_t row = 2 * y - centre2Y;
      const std::int64_t distance = row < 0 ? -row : row;
      const std::int64_t outerEdge = std::min(distance + 1, depth);
      const std::int64_t innerEdge = std::max<std::int64_t>(distance - 1, 0);
      outer = RightColumn(centre2X, HalfWidthAt(a, b, outerEdge));
      inner = RightColumn(centre2X, HalfWidthAt(a, b, innerEdge));
      if (distance > 1) {
        inner = std::max(outer, inner - 1);
      }
    }
    // The left side mirrors the right: column x mirrors to centre2X - x.
    PlotRun(target, filter, y, outer, inner);
    PlotRun(target, filter, y, centre2X - inner, centre2X - outer);
  }
}
