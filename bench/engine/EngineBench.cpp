#include <benchmark/benchmark.h>

#include "engine/CurveWnd.h"
#include "settings/OptionBits.h"

#include "canvas/RasterCanvas.h"

namespace {

class CBenchSurface : public CRasterCanvas {
 public:
  CBenchSurface() : CRasterCanvas(640, 480) {}
  void Fresh() { BeginContext(); }
};

class CBenchHost : public ICurveWndHost {
 public:
  IDrawingSurface& GetDC() override {
    m_surface.Fresh();
    return m_surface;
  }
  void ReleaseDC(IDrawingSurface&) override {}
  int ClientWidth() const override { return 640; }
  int ClientHeight() const override { return 480; }
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t) override { return id; }
  void KillTimer(std::uint32_t) override {}
  std::uint32_t TimeSeconds() override { return 7; }

 private:
  CBenchSurface m_surface;
};

struct CBenchWindow {
  explicit CBenchWindow(std::uint32_t shapes) {
    settings.m_objectShape = shapes;
    settings.m_objectRotation = OptionBits::kAllRotations;
    settings.m_joinTheDots = OptionBits::kJoinBoth;
    wnd.OnCreate();
    wnd.OnSize(640, 480);
  }
  SaverSettings settings;
  CBenchHost host;
  CCurveWnd wnd{settings, host, 0};
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
