#pragma once

#include <cstdint>

// How a zooming figure's radius changes: by one pixel every m_zoomStep points (small steps)
// or by m_zoomStep pixels at every point (big steps), shrinking or growing, the direction
// turning at the phase ends.
class CZoomState {
 public:
  // Plans the zoom for a figure of the full radius; returns the radius it starts with.
  std::int32_t PlanZoom(std::int32_t zoomLevel, std::int32_t zoomPhase, bool startLarge,
                        std::int32_t radius);
  // The radius for point stepIndex, from the one before, kept within 1 and maxRadius (or
  // maxRadius alone when that is below 1).
  std::int32_t UpdateZoom(std::int32_t stepIndex, std::int32_t zoomPhase, std::int32_t radius,
                          std::int32_t maxRadius);

  std::int32_t m_shrinking = 1;
  std::int32_t m_zoomStep = 0;
  std::int32_t m_bigZoomSteps = 0;
};
