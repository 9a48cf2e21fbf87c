#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "canvas/DrawingSurface.h"
#include "engine/CurveWndHost.h"
#include "engine/RandomNumbers.h"
#include "settings/SaverSettings.h"

// A point in client pixels.
struct CPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct CPolygonShape;

// The window's background brush: erasing fills with it, and without one erasing fills nothing.
struct CSolidBrush {
  ColourRef colour = 0;
};

// The drawing window's engine: the one-degree tables and curve functions, the planning of
// each figure, the colour walk, the zoom and the stamping of shapes, driven by the window's
// messages. A platform window forwards its messages to the On... handlers; everything the
// engine draws goes through the host's drawing contexts, and its timers through the host.
//
// The state is public, as the members of the window it is: the saver window, the headless
// renderer and the tests read it, and the tests set it up directly.
class CCurveWnd {
 public:
  static constexpr std::uint32_t kDrawTimer = 1;
  static constexpr std::uint32_t kEndDelayTimer = 2;
  static constexpr int kTableSize = 361;
  static constexpr int kCornerSlots = 8;

  CCurveWnd(const SaverSettings& settings, ICurveWndHost& host, int autoDelete);
  virtual ~CCurveWnd();

  CCurveWnd(const CCurveWnd&) = delete;
  CCurveWnd& operator=(const CCurveWnd&) = delete;

  // Window messages.
  int OnCreate();                          // 0, or -1 when creation fails
  void OnSize(int cx, int cy);             // the new client size
  void OnPaint();                          // draws nothing: the figure is not redrawn
  int OnEraseBkgnd(IDrawingSurface& dc);   // fills the client area black; returns 1
  virtual void OnTimer(std::uint32_t id);  // 1: draw the next point; 2: end of the wait

  // Tables and curve functions.
  void BuildTrigTables();
  double CurveValue(std::int32_t a, std::int32_t kind) const;

  // Figure planning.
  void PickCurveKinds();
  int KindsClash() const;
  void ComputeCurvePoints();
  std::int32_t PickShape();
  std::int32_t PickRotation();
  std::int32_t PickZoomLevel();
  std::int32_t PickZoomPhase();
  std::int32_t PickZoomStart();
  std::int16_t PickJoinMode();
  void InitColourWalk();
  ColourRef NextColour();

  // Zoom.
  void PlanZoom();
  void UpdateZoom();

  // Shape stamping, centred on (x, y), with the pen already selected into dc.
  void StampShape(IDrawingSurface& dc, int x, int y);
  void StampCircle(IDrawingSurface& dc, int x, int y);
  void StampSquare(IDrawingSurface& dc, int x, int y);
  void StampDiamond(IDrawingSurface& dc, int x, int y);
  void StampTriangle(IDrawingSurface& dc, int x, int y);
  void StampPyramid(IDrawingSurface& dc, int x, int y);
  void StampFourPointStar(IDrawingSurface& dc, int x, int y);
  void StampSixPointStar(IDrawingSurface& dc, int x, int y);
  void StampEightPointStar(IDrawingSurface& dc, int x, int y);

  // The pixel of curve point i with the radius r: the figure's bounding box fills the
  // drawing area less a margin of r, shifted by one pixel into the client area.
  CPoint PointPixel(int i, std::int32_t r) const;
  // The object radius for the current drawing area and object size.
  std::int32_t RadiusForDrawingArea() const;

  // Members, in the window's order.
  CPoint m_prevPoint;
  std::int32_t m_maxRadius = 0;
  std::int32_t m_radius = 0;
  std::int32_t m_stepIndex = 0;
  std::unique_ptr<CSolidBrush> m_pBackBrush;  // black; null when it could not be made
  std::array<double, kTableSize> m_sinTable{};
  std::array<double, kTableSize> m_cosTable{};
  std::array<std::uint8_t, 3> m_colour{};      // red, green, blue
  std::array<std::int32_t, 3> m_colourStep{};  // red, green, blue
  std::int32_t m_kindY = 0;
  std::int32_t m_kindX = 0;
  std::uint32_t m_timerId = 0;
  std::int32_t m_firstStamp = 1;
  std::array<double, kTableSize> m_curveX{};
  std::array<double, kTableSize> m_curveY{};
  double m_maxX = 0.0;
  double m_minX = 0.0;
  double m_maxY = 0.0;
  double m_minY = 0.0;
  double m_scaleX = 0.0;
  double m_scaleY = 0.0;
  CPoint m_firstPoint;
  std::int32_t m_shape = 2;
  std::int32_t m_rotation = 2;
  std::int32_t m_zoomLevel = 0;
  std::int32_t m_zoomPhase = 128;
  std::int32_t m_shrinking = 1;
  std::int32_t m_zoomStep = 0;
  std::int32_t m_bigZoomSteps = 0;
  std::array<CPoint, kCornerSlots> m_prevCorners{};
  std::array<CPoint, kCornerSlots> m_curCorners{};
  std::int16_t m_joinMode = 2;
  std::int32_t m_drawWidth = 0;
  std::int32_t m_drawHeight = 0;
  int m_autoDelete;

  CRandomNumbers m_random;

 protected:
  // Called by the tick that starts a figure, once its planning (zoom plan included) is done
  // and before point 0 is drawn: the renderer's trace hooks in here.
  virtual void OnFigurePlanned() {}

  const SaverSettings& m_settings;
  ICurveWndHost& m_host;

 private:
  void DrawTick();
  void StartFigure();
  void EndDelayTick();
  void FillClientBlack(IDrawingSurface& dc);
  void StampPolygon(IDrawingSurface& dc, int x, int y, const CPolygonShape& polygon);
  CPoint Corner(int x, int y, int baseAngle, std::int32_t cornerRadius) const;
};
