#include "RenderDriver.h"

#include <cstdio>

void CTracingCurveWnd::OnFigurePlanned() {
  m_traceLines.push_back(FormatTraceLine(static_cast<int>(m_traceLines.size()) + 1, *this));
}

std::string FormatTraceLine(int figure, const CCurveWnd& wnd) {
  const unsigned colour = static_cast<unsigned>(wnd.m_colour[0]) |
                          static_cast<unsigned>(wnd.m_colour[1]) << 8 |
                          static_cast<unsigned>(wnd.m_colour[2]) << 16;
  char line[400];
  std::snprintf(line, sizeof line,
                "figure=%d kindX=%d kindY=%d shape=%d rotation=%d zoomLevel=%d zoomPhase=%d "
                "shrinking=%d joinMode=%d radius=%d firstPoint=%d,%d colour=0x%06X",
                figure, wnd.m_kindX, wnd.m_kindY, wnd.m_shape, wnd.m_rotation, wnd.m_zoomLevel,
                wnd.m_zoomPhase, wnd.m_shrinking, static_cast<int>(wnd.m_joinMode), wnd.m_radius,
                wnd.m_firstPoint.x, wnd.m_firstPoint.y, colour);
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
