#include "engine/CurveWnd.h"

#include <algorithm>

#include "engine/EngineArithmetic.h"
#include "settings/OptionBits.h"

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

CCurveWnd::CCurveWnd(const SaverSettings& settings, ICurveWndHost& host)
    : m_settings(settings), m_host(host) {}

CCurveWnd::~CCurveWnd() = default;

int CCurveWnd::OnCreate() {
  m_timerId = m_host.SetTimer(kDrawTimer, m_settings.TimerIntervalMs());
  m_random.Seed(m_host.TimeSeconds());
  m_colourWalk.InitColourWalk(m_random);
  m_plan.PickCurveKinds(m_random);
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

void CCurveWnd::FillClientBlack(IDrawingSurface& dc) {
  dc.FillRectBlack(0, 0, m_host.ClientWidth(), m_host.ClientHeight());
}

void CCurveWnd::StartFigure() {
  m_corners.m_firstStamp = 1;
  m_radius = RadiusForDrawingArea();
  m_plan.PlanFigure(m_tables, m_settings, m_random, m_drawWidth, m_drawHeight, m_radius);
  if (m_plan.m_zoomLevel != 0) {
    PlanZoom();
  }
  m_prevPoint = m_plan.m_firstPoint;
  OnFigurePlanned();
}

void CCurveWnd::PlanZoom() {
  m_plan.PickZoomPhase(m_settings, m_random);
  const bool startLarge = CFigurePlan::PickZoomStart(m_settings, m_random) ==
                          static_cast<std::int32_t>(OptionBits::kZoomStartLarge);
  m_radius = m_zoom.PlanZoom(m_plan.m_zoomLevel, m_plan.m_zoomPhase, startLarge, m_radius);
}

void CCurveWnd::DrawTick() {
  // A drawing tick that arrives after the figure is complete (one already queued when the
  // timer stopped) has no point to draw; the completion delay takes over.
  if (m_stepIndex < 0 || m_stepIndex > 360) {
    return;
  }
  IDrawingSurface& dc = m_host.GetDC();
  dc.SelectPen(m_colourWalk.NextColour(m_settings.m_colourOption));
  if (m_stepIndex == 0) {
    StartFigure();
  }

  const std::int32_t r = m_radius;
  const CPoint pixel = m_plan.PointPixel(m_stepIndex, r);
  if (r != 0) {
    if (m_plan.m_zoomLevel != 0) {
      m_radius = m_zoom.UpdateZoom(m_stepIndex, m_plan.m_zoomPhase, m_radius, m_maxRadius);
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
      const CPoint start = m_plan.PointPixel(0, m_radius);
      dc.LineTo(start.x, start.y);
    }
    if (m_timerId != 0) {
      m_host.KillTimer(kDrawTimer);
    }
    m_plan.PickCurveKinds(m_random);
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
