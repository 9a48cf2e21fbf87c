#pragma once

#include <array>
#include <cstdint>

#include "engine/Point.h"
#include "engine/RandomNumbers.h"
#include "engine/TrigTables.h"
#include "settings/SaverSettings.h"

// What one figure is: its pair of curve kinds, its 361 points with their extremes and scale,
// and the options drawn for it. Planned from the settings and the random numbers alone, in
// the order the random numbers are drawn: the kinds when the figure before completes, the
// rest at the figure's first point.
class CFigurePlan {
 public:
  static constexpr int kPoints = CTrigTables::kTableSize;

  void PickCurveKinds(CRandomNumbers& random);
  int KindsClash() const;  // 1 when the pair in m_kindX, m_kindY draws badly, else 0

  // The points, the shape, rotation, zoom level and join mode, for a drawing area of
  // width x height with a margin of radius on each side.
  void PlanFigure(const CTrigTables& tables, const SaverSettings& settings, CRandomNumbers& random,
                  std::int32_t width, std::int32_t height, std::int32_t radius);
  void ComputeCurvePoints(const CTrigTables& tables, CRandomNumbers& random, std::int32_t width,
                          std::int32_t height, std::int32_t radius);
  static std::int32_t PickShape(const SaverSettings& settings, CRandomNumbers& random);
  static std::int32_t PickRotation(const SaverSettings& settings, CRandomNumbers& random);
  static std::int32_t PickZoomLevel(const SaverSettings& settings, CRandomNumbers& random);
  static std::int32_t PickZoomStart(const SaverSettings& settings, CRandomNumbers& random);
  static std::int16_t PickJoinMode(const SaverSettings& settings, CRandomNumbers& random);
  // Only a zooming figure draws its phase, inside the zoom plan; it is kept here.
  std::int32_t PickZoomPhase(const SaverSettings& settings, CRandomNumbers& random);

  // The pixel of point i with the radius r: the figure's bounding box fills the drawing area
  // less a margin of r, shifted by one pixel into the client area.
  CPoint PointPixel(int i, std::int32_t r) const;

  std::int32_t m_kindY = 0;
  std::int32_t m_kindX = 0;
  std::array<double, kPoints> m_curveX{};
  std::array<double, kPoints> m_curveY{};
  double m_maxX = 0.0;
  double m_minX = 0.0;
  double m_maxY = 0.0;
  double m_minY = 0.0;
  double m_scaleX = 0.0;
  double m_scaleY = 0.0;
  CPoint m_firstPoint;  // point 0 without the shift: where a zero radius's polyline starts
  std::int32_t m_shape = 2;
  std::int32_t m_rotation = 2;
  std::int32_t m_zoomLevel = 0;  // 0: the figure does not zoom
  std::int32_t m_zoomPhase = 128;
  std::int16_t m_joinMode = 2;
};
