#include <benchmark/benchmark.h>

#include "FakeCurveHost.h"
#include "canvas/RasterCanvas.h"
#include "engine/CurveWnd.h"
#include "settings/OptionBits.h"

namespace {

struct CBenchWindow {
  explicit CBenchWindow(std::uint32_t shapes) {
    settings.m_objectShape = shapes;
    settings.m_objectRotation = OptionBits::kAllRotations;
    settings.m_joinTheDots = OptionBits::kJoinBoth;
    wnd.OnCreate();
    wnd.OnSize(640, 480);
  }
  SaverSettings settings;
  // The raster canvas behind the test fake: every tick draws real pixels, and nothing records.
  CFakeCurveHostOf<CRasterCanvas> host{640, 480};
  CCurveWnd wnd{settings, host};
};

// The first tick of a figure: 1444 curve values, the pickers and point 0.
void BM_PlanningTick(benchmark::State& state) {
  CBenchWindow window(OptionBits::kAllShapes);
  for (auto _ : state) {
    window.wnd.m_stepIndex = 0;
    window.wnd.OnTimer(1);
  }
}
BENCHMARK(BM_PlanningTick);

// One ordinary tick of each shape in join mode Both at the radius of a 640 x 480 window (38).
void BM_DrawingTick(benchmark::State& state) {
  CBenchWindow window(static_cast<std::uint32_t>(state.range(0)));
  window.wnd.OnTimer(1);
  // Two neighbouring points in turn, so that the join lines have their usual length.
  int point = 0;
  for (auto _ : state) {
    window.wnd.m_stepIndex = 180 + point;
    point ^= 1;
    window.wnd.OnTimer(1);
  }
  state.counters["radius"] = window.wnd.m_radius;
}
BENCHMARK(BM_DrawingTick)->Arg(2)->Arg(4)->Arg(8)->Arg(16)->Arg(32)->Arg(64)->Arg(128)->Arg(256);

// A whole figure: the planning tick and 360 drawing ticks, with every option enabled.
void BM_WholeFigure(benchmark::State& state) {
  CBenchWindow window(OptionBits::kAllShapes);
  window.settings.m_zoomOption = 0x3FF;
  for (auto _ : state) {
    for (int i = 0; i <= 360; ++i) {
      window.wnd.OnTimer(1);
    }
    window.wnd.OnTimer(2);
  }
}
BENCHMARK(BM_WholeFigure)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
