#pragma once

#include <string>
#include <vector>

#include "HeadlessHost.h"
#include "engine/CurveWnd.h"

// The curve window as the renderer drives it: it notes a trace line for every figure as
// soon as the figure is planned.
class CTracingCurveWnd : public CCurveWnd {
 public:
  using CCurveWnd::CCurveWnd;

  std::vector<std::string> m_traceLines;

 protected:
  void OnFigurePlanned() override;
};

// The trace line of the figure just planned, numbered from 1.
std::string FormatTraceLine(int figure, const CCurveWnd& wnd);

// Creates and sizes the window, then delivers timer ticks as a platform would, without
// waiting: until `figures` figures are complete (the completion delay of the last is not
// delivered), or, when ticks >= 0, for exactly that many ticks of the drawing timer, each
// completion delay delivered as soon as it is due.
void RunHeadless(CTracingCurveWnd& wnd, CHeadlessHost& host, IDrawingSurface& surface,
                 std::uint32_t figures, long long ticks);
