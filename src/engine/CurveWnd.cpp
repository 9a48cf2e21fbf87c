#include "engine/CurveWnd.h"

#include <algorithm>
#include <new>

#include "engine/EngineArithmetic.h"

namespace {
// Far beyond any screen; keeps the drawing area and its margins inside 32 bits.
constexpr int kLargestClientSize = 1 << 24;
// Where the figure's coordinates reach the 32-bit limit. A figure is laid out for the full
// radius, but each point is placed with the current, zoomed one: with a radius larger than half
// the drawing area a point lies up to two radii and the drawing area from the origin, and its
// stamp's corners one radius further. Only stored sizes of millions of percent come near it;
// every size below is drawn as it is.
constexpr std::int32_t kLargestRadius = (1 << 29) - 1;
}  // namespace

CCurveWnd::CCurveWnd(const SaverSettings& settings, ICurveWndHost& host, int autoDelete)
    : m_autoDelete(autoDelete), m_settings(settings), m_host(host) {}

CCurveWnd::~CCurveWnd() = default;

int CCurveWnd::OnCreate() {
  m_pBackBrush.reset(new (std::nothrow) CSolidBrush{0});
  BuildTrigTables();
  m_timerId = m_host.SetTimer(kDrawTimer, m_settings.TimerIntervalMs());
  m_random.Seed(m_host.TimeSeconds());
  InitColourWalk();
  PickCurveKinds();
  return 0;
}

void CCurveWnd::OnSize(int cx, int cy) {
  // A minimised window reports 0 x 0 and keeps its drawing area; a negative size is no size
  // at all and is treated the same way.
  if (cx <= 0 || cy <= 0) {
    return;
  }
  m_drawWidth = std::min(cx, kLargestClientSize) - 2;
  m_drawHeight = std::min(cy, kLargestClientSize) - 2;
  m_radius = m_maxRadius = RadiusForDrawingArea();
}

void CCurveWnd::OnPaint() {
  // Nothing to draw: the figure is not kept, and the uncovered part stays black until later
  // points fall there.
}

int CCurveWnd::OnEraseBkgnd(IDrawingSurface& dc) {
  FillClientBlack(dc);
  return 1;
}

void CCurveWnd::OnTimer(std::uint32_t id) {
  if (id == kDrawTimer) {
    DrawTick();
  } else if (id == kEndDelayTimer) {
    EndDelayTick();
  }
}

std::int32_t CCurveWnd::RadiusForDrawingArea() const {
  // The smaller side; a window of one or two pixels has a drawing area of -1 or 0, no room for
  // any radius. Sizes that are no number or below 0 give no radius either.
  const std::int32_t side = std::max(std::min(m_drawWidth, m_drawHeight), 0);
  const double radius = m_settings.m_objectSizeFactor * side;
  return std::clamp(EngineArithmetic::TruncToInt32(radius), 0, kLargestRadius);
}

CPoint CCurveWnd::PointPixel(int i, std::int32_t r) const {
  return CPoint{EngineArithmetic::TruncToInt32((m_curveX[i] - m_minX) * m_scaleX + r) + 1,
                EngineArithmetic::TruncToInt32((m_curveY[i] - m_minY) * m_scaleY + r) + 1};
}

void CCurveWnd::FillClientBlack(IDrawingSurface& dc) {
  if (m_pBackBrush != nullptr) {
    dc.FillRectBlack(0, 0, m_host.ClientWidth(), m_host.ClientHeight());
  }
}

void CCurveWnd::StartFigure() {
  m_firstStamp = 1;
  m_radius = RadiusForDrawingArea();
  ComputeCurvePoints();
  m_shape = PickShape();
  m_rotation = PickRotation();
  m_zoomLevel = PickZoomLevel();
  m_joinMode = PickJoinMode();
  if (m_zoomLevel != 0) {
    PlanZoom();
  }
  m_prevPoint = m_firstPoint;
  OnFigurePlanned();
}

void CCurveWnd::DrawTick() {
  // A drawing tick that arrives after the figure is complete (one already queued when the
  // timer stopped) has no point to draw; the completion delay takes over.
  if (m_stepIndex < 0 || m_stepIndex > 360) {
    return;
  }
  IDrawingSurface& dc = m_host.GetDC();
  dc.SelectPen(NextColour());
  if (m_stepIndex == 0) {
    StartFigure();
  }

  const std::int32_t r = m_radius;
  const CPoint pixel = PointPixel(m_stepIndex, r);
  if (r != 0) {
    if (m_zoomLevel != 0) {
      UpdateZoom();
    }
    StampShape(dc, pixel.x, pixel.y);
  } else {
    dc.MoveTo(m_prevPoint.x, m_prevPoint.y);
    dc.LineTo(pixel.x, pixel.y);
    m_prevPoint = pixel;
  }

  ++m_stepIndex;
  if (m_stepIndex > 360) {
    if (m_radius <= 0) {
      const CPoint start = PointPixel(0, m_radius);
      dc.LineTo(start.x, start.y);
    }
    if (m_timerId != 0) {
      m_host.KillTimer(kDrawTimer);
    }
    PickCurveKinds();
    m_timerId = m_host.SetTimer(kEndDelayTimer, m_settings.EndDelayMs());
  }
  dc.RestorePen();
  m_host.ReleaseDC(dc);
}

void CCurveWnd::EndDelayTick() {
  if (m_timerId != 0) {
    m_host.KillTimer(kEndDelayTimer);
  }
  m_stepIndex = 0;
  IDrawingSurface& dc = m_host.GetDC();
  FillClientBlack(dc);
  m_host.ReleaseDC(dc);
  m_timerId = m_host.SetTimer(kDrawTimer, m_settings.TimerIntervalMs());
}
