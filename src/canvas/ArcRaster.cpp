#include "canvas/ArcRaster.h"

#include <utility>

#include "canvas/LargeEllipseRaster.h"
#include "canvas/LineRaster.h"
#include "canvas/PixelTarget.h"

// GDI draws an arc as a polyline through the outline's points, so a point is lit as the start of
// the segment that leaves it, and the arc's last point is left out like the end of any line.
// The outline is one walked quarter mirrored into four, in counter-clockwise order on screen:
// right middle up to the top, on to the left middle, down to the bottom and back.
namespace {

struct SPoint {
  std::int64_t x;
  std::int64_t y;
};

// Where the four mirrored quarters are anchored. For an even side the two middle columns (rows)
// are distinct, for an odd side they coincide.
struct SOutlineFrame {
  std::int64_t rightColumn;  // the quarter's column 0 when mirrored to the right
  std::int64_t leftColumn;
  std::int64_t lowerRow;  // its row 0 when mirrored downwards
  std::int64_t upperRow;
};

class COutlineCursor {
 public:
  COutlineCursor(const SOutlineFrame& frame, const std::vector<SQuarterPoint>& quarter,
                 std::int64_t index)
      : m_frame(frame), m_quarter(quarter), m_count(static_cast<std::int64_t>(quarter.size())) {
    m_side = static_cast<int>((index / m_count) % 4);
    m_position = index % m_count;
  }

  SPoint Current() const {
    switch (m_side) {
      case 0: {
        const SQuarterPoint& p = m_quarter[m_position];
        return {m_frame.rightColumn + p.right, m_frame.upperRow - p.down};
      }
      case 1: {
        const SQuarterPoint& p = m_quarter[m_count - 1 - m_position];
        return {m_frame.leftColumn - p.right, m_frame.upperRow - p.down};
      }
      case 2: {
        const SQuarterPoint& p = m_quarter[m_position];
        return {m_frame.leftColumn - p.right, m_frame.lowerRow + p.down};
      }
      default: {
        const SQuarterPoint& p = m_quarter[m_count - 1 - m_position];
        return {m_frame.rightColumn + p.right, m_frame.lowerRow + p.down};
      }
    }
  }

  void Advance() {
    if (++m_position == m_count) {
      m_position = 0;
      m_side = (m_side + 1) % 4;
    }
  }

 private:
  const SOutlineFrame& m_frame;
  const std::vector<SQuarterPoint>& m_quarter;
  std::int64_t m_count;
  int m_side = 0;
  std::int64_t m_position = 0;
};

// First quarter point whose angle from the horizontal axis reaches the radial's, the radial
// given by its distances across and along (both >= 0); `inclusive` says whether a point exactly
// on the radial counts. The quarter's size when none does.
std::int64_t FirstPointPast(const std::vector<SQuarterPoint>& quarter, std::int64_t across,
                            std::int64_t along, bool inclusive) {
  const auto count = static_cast<std::int64_t>(quarter.size());
  for (std::int64_t i = 0; i < count; ++i) {
    const std::int64_t pointSide = quarter[i].right * along;
    const std::int64_t radialSide = quarter[i].down * across;
    if (inclusive ? pointSide <= radialSide : pointSide < radialSide) {
      return i;
    }
  }
  return count;
}

// Position in the counter-clockwise outline (0 to 4 x quarter size) where an arc bounded by the
// radial through (dx, dyUp) from the centre begins or ends; y grows upwards here. Which side of
// a tie a point falls on depends on the quarter, as in GDI.
std::int64_t OutlineIndexOfRadial(const std::vector<SQuarterPoint>& quarter, std::int64_t dx,
                                  std::int64_t dyUp) {
  const auto count = static_cast<std::int64_t>(quarter.size());
  if (dyUp >= 0) {
    if (dx >= 0) {
      return FirstPointPast(quarter, dx, dyUp, true);
    }
    return 2 * count - FirstPointPast(quarter, -dx, dyUp, false);
  }
  if (dx >= 0) {
    return 4 * count - FirstPointPast(quarter, dx, -dyUp, true);
  }
  return 2 * count + FirstPointPast(quarter, -dx, -dyUp, false);
}

void DrawSegment(CPixelTarget& target, SPoint from, SPoint to) {
  const std::int64_t dx = to.x - from.x;
  const std::int64_t dy = to.y - from.y;
  if (dx == 0 && dy == 0) {
    return;
  }
  if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {
    target.PlotIfInside(from.x, from.y);
    return;
  }
  RasterLine(target, from.x, from.y, to.x, to.y);
}

}  // namespace

void RasterArc(CPixelTarget& target, const SArcRequest& request,
               std::vector<SQuarterPoint>& scratch) {
  SArcRequest box = request;
  if (box.left > box.right) {
    std::swap(box.left, box.right);
  }
  if (box.top > box.bottom) {
    std::swap(box.top, box.bottom);
  }
  const std::int64_t width = box.right - box.left;
  const std::int64_t height = box.bottom - box.top;
  if (width == 0 || height == 0) {
    return;
  }
  // Every lit pixel, segments between points included, lies inside the box.
  if (box.right <= 0 || box.bottom <= 0 || box.left >= target.Width() ||
      box.top >= target.Height()) {
    return;
  }
  if (width > kExactEllipseSide || height > kExactEllipseSide) {
    RasterLargeArc(target, box.left, box.top, box.right, box.bottom, box.xStart, box.yStart,
                   box.xEnd, box.yEnd);
    return;
  }

  BuildQuarterOutline(width, height, scratch);
  if (scratch.empty()) {
    return;
  }
  const SOutlineFrame frame{box.left + width / 2, box.right - 1 - width / 2, box.top + height / 2,
                            box.bottom - 1 - height / 2};
  const std::int64_t centreX = box.left + width / 2;
  const std::int64_t centreY = box.top + height / 2;
  const std::int64_t first =
      OutlineIndexOfRadial(scratch, box.xStart - centreX, centreY - box.yStart);
  std::int64_t last = OutlineIndexOfRadial(scratch, box.xEnd - centreX, centreY - box.yEnd);
  if (last <= first) {
    last += 4 * static_cast<std::int64_t>(scratch.size());
  }

  COutlineCursor cursor(frame, scratch, first);
  SPoint previous = cursor.Current();
  for (std::int64_t index = first + 1; index < last; ++index) {
    cursor.Advance();
    const SPoint current = cursor.Current();
    DrawSegment(target, previous, current);
    previous = current;
  }
}
