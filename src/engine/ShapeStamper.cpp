#include <algorithm>

#include "engine/CurveWnd.h"
#include "engine/EngineArithmetic.h"
#include "settings/OptionBits.h"

// Each polygon owns fixed corner slots, so that the two halves of a composite star keep
// their own corners from one stamp to the next.
struct CPolygonShape {
  int firstSlot;
  int slotCount;
  int baseAngles[8];
  bool halfRadiusAtOddSlots;
  // 0: the first stamp of any figure clears the first-stamp flag; otherwise only a figure
  // of this shape does, so that the second half of a composite star is the one to clear it.
  std::int32_t clearsFirstStampOnlyFor;
};

constexpr CPolygonShape kSquare{0, 4, {45, 135, 225, 315}, false, OptionBits::kSquare};
constexpr CPolygonShape kTriangle{0, 3, {90, 210, 330}, false, OptionBits::kTriangle};
constexpr CPolygonShape kFourPointStar{0, 8, {0, 45, 90, 135, 180, 225, 270, 315}, true, 0};
constexpr CPolygonShape kDiamond{4, 4, {0, 90, 180, 270}, false, 0};
constexpr CPolygonShape kPyramid{3, 3, {30, 150, 270}, false, 0};

CPoint CCurveWnd::Corner(int x, int y, int baseAngle, std::int32_t cornerRadius) const {
  // The step index (0 to 360) is the turn in degrees.
  int rotation = 0;
  if (m_plan.m_rotation == static_cast<std::int32_t>(OptionBits::kRotateClockwise)) {
    rotation = m_stepIndex;
  } else if (m_plan.m_rotation == static_cast<std::int32_t>(OptionBits::kRotateAntiClockwise)) {
    rotation = -m_stepIndex;
  }
  const int angle = (baseAngle + rotation + 360) % 360;
  const double r = cornerRadius;
  return CPoint{x + EngineArithmetic::TruncToInt32(r * m_tables.m_cosTable[angle]),
                y + EngineArithmetic::TruncToInt32(r * m_tables.m_sinTable[angle])};
}

void CCurveWnd::StampPolygon(IDrawingSurface& dc, int x, int y, const CPolygonShape& polygon) {
  const int endSlot = polygon.firstSlot + polygon.slotCount;
  for (int k = polygon.firstSlot; k < endSlot; ++k) {
    const bool half = polygon.halfRadiusAtOddSlots && k % 2 == 1;
    m_corners.m_curCorners[k] =
        Corner(x, y, polygon.baseAngles[k - polygon.firstSlot], half ? m_radius / 2 : m_radius);
  }

  if (m_plan.m_joinMode != static_cast<std::int16_t>(OptionBits::kJoinNo)) {
    if (m_corners.m_firstStamp == 0) {
      for (int k = polygon.firstSlot; k < endSlot; ++k) {
        dc.MoveTo(m_corners.m_prevCorners[k].x, m_corners.m_prevCorners[k].y);
        dc.LineTo(m_corners.m_curCorners[k].x, m_corners.m_curCorners[k].y);
      }
    } else if (polygon.clearsFirstStampOnlyFor == 0 ||
               polygon.clearsFirstStampOnlyFor == m_plan.m_shape) {
      m_corners.m_firstStamp = 0;
    }
    std::copy(m_corners.m_curCorners.begin() + polygon.firstSlot,
              m_corners.m_curCorners.begin() + endSlot,
              m_corners.m_prevCorners.begin() + polygon.firstSlot);
  }

  if (m_plan.m_joinMode != static_cast<std::int16_t>(OptionBits::kJoinYes)) {
    const CPoint& first = m_corners.m_curCorners[polygon.firstSlot];
    dc.MoveTo(first.x, first.y);
    for (int k = polygon.firstSlot + 1; k < endSlot; ++k) {
      dc.LineTo(m_corners.m_curCorners[k].x, m_corners.m_curCorners[k].y);
    }
    dc.LineTo(first.x, first.y);
  }
}

void CCurveWnd::StampShape(IDrawingSurface& dc, int x, int y) {
  switch (m_plan.m_shape) {
    case OptionBits::kSquare:
      StampSquare(dc, x, y);
      break;
    case OptionBits::kTriangle:
      StampTriangle(dc, x, y);
      break;
    case OptionBits::kFourPointStar:
      StampFourPointStar(dc, x, y);
      break;
    case OptionBits::kDiamond:
      StampDiamond(dc, x, y);
      break;
    case OptionBits::kPyramid:
      StampPyramid(dc, x, y);
      break;
    case OptionBits::kSixPointStar:
      StampSixPointStar(dc, x, y);
      break;
    case OptionBits::kEightPointStar:
      StampEightPointStar(dc, x, y);
      break;
    default:
      StampCircle(dc, x, y);
      break;
  }
}

void CCurveWnd::StampCircle(IDrawingSurface& dc, int x, int y) {
  const int left = x - m_radius;
  dc.Arc(left, y - m_radius, x + m_radius, y + m_radius, left, y, left, y);
}

void CCurveWnd::StampSquare(IDrawingSurface& dc, int x, int y) {
  StampPolygon(dc, x, y, kSquare);
}

void CCurveWnd::StampDiamond(IDrawingSurface& dc, int x, int y) {
  StampPolygon(dc, x, y, kDiamond);
}

void CCurveWnd::StampTriangle(IDrawingSurface& dc, int x, int y) {
  StampPolygon(dc, x, y, kTriangle);
}

void CCurveWnd::StampPyramid(IDrawingSurface& dc, int x, int y) {
  StampPolygon(dc, x, y, kPyramid);
}

void CCurveWnd::StampFourPointStar(IDrawingSurface& dc, int x, int y) {
  StampPolygon(dc, x, y, kFourPointStar);
}

void CCurveWnd::StampSixPointStar(IDrawingSurface& dc, int x, int y) {
  StampTriangle(dc, x, y);
  StampPyramid(dc, x, y);
}

void CCurveWnd::StampEightPointStar(IDrawingSurface& dc, int x, int y) {
  StampSquare(dc, x, y);
  StampDiamond(dc, x, y);
}
