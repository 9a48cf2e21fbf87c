#include "RenderDriver.h"

#include <cstdio>

void CTracingCurveWnd::OnFigurePlanned() {
  m_traceLines.push_back(FormatTraceLine(static_cast<int>(m_traceLines.size()) + 1, *this));
}

std::string FormatTraceLine(int figure, const CCurveWnd& wnd) {
  const CFigurePlan& plan = wnd.m_plan;
  char line[400];
  std::snprintf(line, sizeof line,
                "figure=%d kindX=%d kindY=%d shape=%d rotation=%d zoomLevel=%d zoomPhase=%d "
                "shrinking=%d joinMode=%d radius=%d firstPoint=%d,%d colour=0x%06X",
                figure, plan.m_kindX, plan.m_kindY, plan.m_shape, plan.m_rotation, plan.m_zoomLevel,
                plan.m_zoomPhase, wnd.m_zoom.m_shrinking, static_cast<int>(plan.m_joinMode),
                wnd.m_radius, plan.m_firstPoint.x, plan.m_firstPoint.y,
                static_cast<unsigned>(wnd.m_colourWalk.Colour()));
  return line;
}

void RunHeadless(CTracingCurveWnd& wnd, CHeadlessHost& host, IDrawingSurface& surface,
                 std::uint32_t figures, long long ticks) {
  wnd.OnCreate();
  wnd.OnSize(host.ClientWidth(), host.ClientHeight());
  wnd.OnEraseBkgnd(surface);

  std::uint32_t completed = 0;
  long long drawn = 0;
  for (;;) {
    // The picture is taken right after the last tick asked for; a completion delay that
    // would end later has not yet cleared the screen.
    if (ticks >= 0 && drawn >= ticks) {
      return;
    }
    if (host.IsRunning(CCurveWnd::kEndDelayTimer)) {
      if (ticks < 0 && completed >= figures) {
        return;
      }
      wnd.OnTimer(CCurveWnd::kEndDelayTimer);
      continue;
    }
    if (!host.IsRunning(CCurveWnd::kDrawTimer)) {
      return;
    }
    wnd.OnTimer(CCurveWnd::kDrawTimer);
    ++drawn;
    if (wnd.m_stepIndex > 360) {
      ++completed;
    }
  }
}
