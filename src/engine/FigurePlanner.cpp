#include <algorithm>

#include "engine/CurveWnd.h"
#include "engine/EngineArithmetic.h"
#include "settings/OptionBits.h"

using EngineArithmetic::TruncToInt32;

void CCurveWnd::ComputeCurvePoints() {
  m_maxX = 2.2250738585072014e-308;
  m_maxY = 2.2250738585072014e-308;
  m_minX = 1.7976931348623157e308;
  m_minY = 1.7976931348623157e308;
  for (int i = 0; i < kTableSize; ++i) {
    const double x = CurveValue(i, m_kindX);
    const double y = CurveValue(i, m_kindY);
    // Strict comparisons: an extreme only gives way to a value beyond it.
    m_maxX = std::max(m_maxX, x);
    m_minX = std::min(m_minX, x);
    m_maxY = std::max(m_maxY, y);
    m_minY = std::min(m_minY, y);
  }

  const int mirrorX = m_random.Next() % 2;
  const int mirrorY = m_random.Next() % 2;
  for (int i = 0; i < kTableSize; ++i) {
    const double x = CurveValue(i, m_kindX);
    m_curveX[i] = mirrorX == 1 ? (m_maxX - x) + m_minX : x;
    const double y = CurveValue(i, m_kindY);
    m_curveY[i] = mirrorY == 1 ? (m_maxY - y) + m_minY : y;
  }

  m_scaleX = static_cast<double>(m_drawWidth - 2 * m_radius) / (m_maxX - m_minX);
  m_scaleY = static_cast<double>(m_drawHeight - 2 * m_radius) / (m_maxY - m_minY);
  m_firstPoint.x = TruncToInt32((m_curveX[0] - m_minX) * m_scaleX + m_radius);
  m_firstPoint.y = TruncToInt32((m_curveY[0] - m_minY) * m_scaleY + m_radius);
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

std::int32_t CCurveWnd::PickShape() {
  const std::uint32_t mask = m_settings.ShapeChoices();
  for (std::uint32_t shape = OptionBits::kCircle; shape <= OptionBits::kEightPointStar;
       shape <<= 1) {
    if (mask == shape) {
      return static_cast<std::int32_t>(shape);
    }
  }
  return static_cast<std::int32_t>(DrawBit(m_random, mask, 8, 1));
}

std::int32_t CCurveWnd::PickRotation() {
  const std::uint32_t mask = m_settings.RotationChoices();
  if (mask == OptionBits::kRotateNone || mask == OptionBits::kRotateClockwise ||
      mask == OptionBits::kRotateAntiClockwise) {
    return static_cast<std::int32_t>(mask);
  }
  return static_cast<std::int32_t>(DrawBit(m_random, mask, 3, 1));
}

std::int32_t CCurveWnd::PickZoomLevel() {
  const std::uint32_t mask = m_settings.ZoomChoices();
  if ((mask & OptionBits::kAllZoomLevels) == 0) {
    return 0;
  }
  return static_cast<std::int32_t>(DrawBit(m_random, mask, 4, 1));
}

std::int32_t CCurveWnd::PickZoomPhase() {
  m_zoomPhase = static_cast<std::int32_t>(DrawBit(m_random, m_settings.ZoomChoices(), 3, 5));
  return m_zoomPhase;
}

std::int32_t CCurveWnd::PickZoomStart() {
  const std::uint32_t mask = m_settings.ZoomChoices();
  if ((mask & OptionBits::kZoomStartSmall) == 0) {
    return OptionBits::kZoomStartLarge;
  }
  return static_cast<std::int32_t>(DrawBit(m_random, mask, 2, 8));
}

std::int16_t CCurveWnd::PickJoinMode() {
  const std::uint32_t mask = m_settings.JoinChoices();
  if (mask == OptionBits::kJoinNo || mask == OptionBits::kJoinYes ||
      mask == OptionBits::kJoinBoth) {
    return static_cast<std::int16_t>(mask);
  }
  return static_cast<std::int16_t>(DrawBit(m_random, mask, 3, 0));
}
