#include <algorithm>

#include "engine/EngineArithmetic.h"
#include "engine/FigurePlan.h"
#include "settings/OptionBits.h"

using EngineArithmetic::TruncToInt32;

void CFigurePlan::PlanFigure(const CTrigTables& tables, const SaverSettings& settings,
                             CRandomNumbers& random, std::int32_t width, std::int32_t height,
                             std::int32_t radius) {
  ComputeCurvePoints(tables, random, width, height, radius);
  m_shape = PickShape(settings, random);
  m_rotation = PickRotation(settings, random);
  m_zoomLevel = PickZoomLevel(settings, random);
  m_joinMode = PickJoinMode(settings, random);
}

void CFigurePlan::ComputeCurvePoints(const CTrigTables& tables, CRandomNumbers& random,
                                     std::int32_t width, std::int32_t height, std::int32_t radius) {
  m_maxX = 2.2250738585072014e-308;
  m_maxY = 2.2250738585072014e-308;
  m_minX = 1.7976931348623157e308;
  m_minY = 1.7976931348623157e308;
  for (int i = 0; i < kPoints; ++i) {
    const double x = tables.CurveValue(i, m_kindX);
    const double y = tables.CurveValue(i, m_kindY);
    // Strict comparisons: an extreme only gives way to a value beyond it.
    m_maxX = std::max(m_maxX, x);
    m_minX = std::min(m_minX, x);
    m_maxY = std::max(m_maxY, y);
    m_minY = std::min(m_minY, y);
  }

  const int mirrorX = random.Next() % 2;
  const int mirrorY = random.Next() % 2;
  for (int i = 0; i < kPoints; ++i) {
    const double x = tables.CurveValue(i, m_kindX);
    m_curveX[i] = mirrorX == 1 ? (m_maxX - x) + m_minX : x;
    const double y = tables.CurveValue(i, m_kindY);
    m_curveY[i] = mirrorY == 1 ? (m_maxY - y) + m_minY : y;
  }

  m_scaleX = static_cast<double>(width - 2 * radius) / (m_maxX - m_minX);
  m_scaleY = static_cast<double>(height - 2 * radius) / (m_maxY - m_minY);
  m_firstPoint.x = TruncToInt32((m_curveX[0] - m_minX) * m_scaleX + radius);
  m_firstPoint.y = TruncToInt32((m_curveY[0] - m_minY) * m_scaleY + radius);
}

CPoint CFigurePlan::PointPixel(int i, std::int32_t r) const {
  return CPoint{TruncToInt32((m_curveX[i] - m_minX) * m_scaleX + r) + 1,
                TruncToInt32((m_curveY[i] - m_minY) * m_scaleY + r) + 1};
}

namespace {

// Draws 1 << (rand() % count + firstBit) until the bit is in the mask. The settings' choices
// always hold at least one of the candidates (an empty mask reads as the default), so the
// loop ends.
std::uint32_t DrawBit(CRandomNumbers& random, std::uint32_t mask, int count, int firstBit) {
  for (;;) {
    const std::uint32_t bit = 1u << (random.Next() % count + firstBit);
    if ((bit & mask) != 0) {
      return bit;
    }
  }
}

}  // namespace

std::int32_t CFigurePlan::PickShape(const SaverSettings& settings, CRandomNumbers& random) {
  const std::uint32_t mask = settings.ShapeChoices();
  for (std::uint32_t shape = OptionBits::kCircle; shape <= OptionBits::kEightPointStar;
       shape <<= 1) {
    if (mask == shape) {
      return static_cast<std::int32_t>(shape);
    }
  }
  return static_cast<std::int32_t>(DrawBit(random, mask, 8, 1));
}

std::int32_t CFigurePlan::PickRotation(const SaverSettings& settings, CRandomNumbers& random) {
  const std::uint32_t mask = settings.RotationChoices();
  if (mask == OptionBits::kRotateNone || mask == OptionBits::kRotateClockwise ||
      mask == OptionBits::kRotateAntiClockwise) {
    return static_cast<std::int32_t>(mask);
  }
  return static_cast<std::int32_t>(DrawBit(random, mask, 3, 1));
}

std::int32_t CFigurePlan::PickZoomLevel(const SaverSettings& settings, CRandomNumbers& random) {
  const std::uint32_t mask = settings.ZoomChoices();
  if ((mask & OptionBits::kAllZoomLevels) == 0) {
    return 0;
  }
  return static_cast<std::int32_t>(DrawBit(random, mask, 4, 1));
}

std::int32_t CFigurePlan::PickZoomPhase(const SaverSettings& settings, CRandomNumbers& random) {
  m_zoomPhase = static_cast<std::int32_t>(DrawBit(random, settings.ZoomChoices(), 3, 5));
  return m_zoomPhase;
}

std::int32_t CFigurePlan::PickZoomStart(const SaverSettings& settings, CRandomNumbers& random) {
  const std::uint32_t mask = settings.ZoomChoices();
  if ((mask & OptionBits::kZoomStartSmall) == 0) {
    return OptionBits::kZoomStartLarge;
  }
  return static_cast<std::int32_t>(DrawBit(random, mask, 2, 8));
}

std::int16_t CFigurePlan::PickJoinMode(const SaverSettings& settings, CRandomNumbers& random) {
  const std::uint32_t mask = settings.JoinChoices();
  if (mask == OptionBits::kJoinNo || mask == OptionBits::kJoinYes ||
      mask == OptionBits::kJoinBoth) {
    return static_cast<std::int16_t>(mask);
  }
  return static_cast<std::int16_t>(DrawBit(random, mask, 3, 0));
}
