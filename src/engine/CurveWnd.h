#pragma once

#include <cstdint>

#include "canvas/DrawingSurface.h"
#include "engine/ColourWalk.h"
#include "engine/CornerSlots.h"
#include "engine/CurveWndHost.h"
#include "engine/FigurePlan.h"
#include "engine/RandomNumbers.h"
#include "engine/TrigTables.h"
#include "engine/ZoomState.h"
#include "settings/SaverSettings.h"

struct CPolygonShape;

// The drawing window's engine: the one-degree tables and curve functions, the planning of
// each figure, the colour walk, the zoom and the stamping of shapes, driven by the window's
// messages. A platform window forwards its messages to the On... handlers; everything the
// engine draws goes through the host's drawing contexts, and its timers through the host.
//
// The state is public, as the members of the window it is, grouped by what keeps it: the
// saver window, the headless renderer and the tests read it.
class CCurveWnd {
 public:
  static constexpr std::uint32_t kDrawTimer = 1;
  static constexpr std::uint32_t kEndDelayTimer = 2;

  CCurveWnd(const SaverSettings& settings, ICurveWndHost& host);
  virtual ~CCurveWnd();

  CCurveWnd(const CCurveWnd&) = delete;
  CCurveWnd& operator=(const CCurveWnd&) = delete;

  // Window messages.
  int OnCreate();                          // 0, or -1 when creation fails
  void OnSize(int cx, int cy);             // the new client size
  int OnEraseBkgnd(IDrawingSurface& dc);   // fills the client area black; returns 1
  virtual void OnTimer(std::uint32_t id);  // 1: draw the next point; 2: end of the wait

  // The object radius for the current drawing area and object size.
  std::int32_t RadiusForDrawingArea() const;

  // The driver's own state.
  CPoint m_prevPoint;            // end of the last line drawn with a zero radius
  std::int32_t m_maxRadius = 0;  // the radius for the window's size; the ceiling of the zoom
  std::int32_t m_radius = 0;     // of the stamps, and the figure's margin
  std::int32_t m_stepIndex = 0;  // the next point to draw; 361 while the figure is complete
  std::uint32_t m_timerId = 0;   // the last timer start's result; 0 when it failed
  std::int32_t m_drawWidth = 0;  // the client area less 2
  std::int32_t m_drawHeight = 0;

  CTrigTables m_tables;
  CColourWalk m_colourWalk;
  CFigurePlan m_plan;
  CZoomState m_zoom;
  CCornerSlots m_corners;
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
  void PlanZoom();
  void EndDelayTick();
  void FillClientBlack(IDrawingSurface& dc);

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
  void StampPolygon(IDrawingSurface& dc, int x, int y, const CPolygonShape& polygon);
  CPoint Corner(int x, int y, int baseAngle, std::int32_t cornerRadius) const;
};
