#include <algorithm>
#include <cmath>

#include "engine/EngineArithmetic.h"
#include "engine/ZoomState.h"
#include "settings/OptionBits.h"

using EngineArithmetic::TruncToInt32;

std::int32_t CZoomState::PlanZoom(std::int32_t zoomLevel, std::int32_t zoomPhase, bool startLarge,
                                  std::int32_t radius) {
  m_shrinking = static_cast<std::int32_t>(startLarge);

  int phaseLength = 360;
  if (zoomPhase == static_cast<std::int32_t>(OptionBits::kZoomTwoPhase)) {
    phaseLength = 180;
  } else if (zoomPhase == static_cast<std::int32_t>(OptionBits::kZoomFourPhase)) {
    phaseLength = 90;
  }

  double amount = 0.0;
  double rest = 0.0;
  switch (zoomLevel) {
    case OptionBits::kZoomLow:
      amount = 0.4;
      rest = 0.6;
      break;
    case OptionBits::kZoomMedium:
      amount = 0.7;
      rest = 0.3;
      break;
    case OptionBits::kZoomHigh:
      amount = 0.9;
      rest = 0.1;
      break;
    case OptionBits::kZoomVeryHigh:
      amount = 0.99;
      rest = 0.01;
      break;
    default:
      m_zoomStep = 0;
      return radius;
  }

  const std::int32_t r = radius;
  const double change = r * amount;
  // With no radius to change the quotient is infinite: a step count of at most 1.
  const std::int32_t pointsPerPixel =
      change > 0.0 ? TruncToInt32(std::ceil(phaseLength / change)) : 1;
  if (pointsPerPixel > 1) {
    m_bigZoomSteps = 0;
    m_zoomStep = pointsPerPixel;
  } else {
    m_bigZoomSteps = 1;
    m_zoomStep = TruncToInt32(std::floor(change / phaseLength));
  }

  if (m_shrinking != 0) {
    return r;
  }
  if (m_bigZoomSteps != 0) {
    return std::max(TruncToInt32(std::floor(r * rest)), 1);
  }
  return std::max(r - phaseLength / m_zoomStep, 1);
}

std::int32_t CZoomState::UpdateZoom(std::int32_t stepIndex, std::int32_t zoomPhase,
                                    std::int32_t radius, std::int32_t maxRadius) {
  const std::int32_t i = stepIndex;
  const bool turns =
      (zoomPhase == static_cast<std::int32_t>(OptionBits::kZoomTwoPhase) && i == 180) ||
      (zoomPhase == static_cast<std::int32_t>(OptionBits::kZoomFourPhase) &&
       (i == 90 || i == 180 || i == 270));
  if (turns) {
    m_shrinking = static_cast<std::int32_t>(m_shrinking == 0);
  }

  if (m_bigZoomSteps != 0) {
    radius += m_shrinking != 0 ? -m_zoomStep : m_zoomStep;
  } else if (m_zoomStep > 0 && i % m_zoomStep == 0) {
    radius += m_shrinking != 0 ? -1 : 1;
  }
  return std::min(maxRadius, std::max(radius, 1));
}
