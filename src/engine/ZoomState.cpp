#include <algorithm>
#include <cmath>
#include <iterator>

#include "engine/EngineArithmetic.h"
#include "engine/ZoomState.h"
#include "settings/OptionBits.h"

using EngineArithmetic::TruncToInt32;

namespace {

// The share of the radius one phase takes off or puts back, and the share left at the small
// end (written out: 1 - 0.9 is not 0.1 in doubles).
struct SZoomAmount {
  std::int32_t level;
  double amount;
  double rest;
};
constexpr SZoomAmount kZoomAmounts[] = {{OptionBits::kZoomLow, 0.4, 0.6},
                                        {OptionBits::kZoomMedium, 0.7, 0.3},
                                        {OptionBits::kZoomHigh, 0.9, 0.1},
                                        {OptionBits::kZoomVeryHigh, 0.99, 0.01}};

}  // namespace

std::int32_t CZoomState::PlanZoom(std::int32_t zoomLevel, std::int32_t zoomPhase, bool startLarge,
                                  std::int32_t radius) {
  m_shrinking = static_cast<std::int32_t>(startLarge);

  int phaseLength = 360;
  if (zoomPhase == static_cast<std::int32_t>(OptionBits::kZoomTwoPhase)) {
    phaseLength = 180;
  } else if (zoomPhase == static_cast<std::int32_t>(OptionBits::kZoomFourPhase)) {
    phaseLength = 90;
  }

  const auto* zoom =
      std::find_if(std::begin(kZoomAmounts), std::end(kZoomAmounts),
                   [zoomLevel](const SZoomAmount& z) { return z.level == zoomLevel; });
  if (zoom == std::end(kZoomAmounts)) {
    m_zoomStep = 0;
    return radius;
  }

  const std::int32_t r = radius;
  const double change = r * zoom->amount;
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
    return std::max(TruncToInt32(std::floor(r * zoom->rest)), 1);
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
