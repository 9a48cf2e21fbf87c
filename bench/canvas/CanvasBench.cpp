// What one animation tick costs on the raster canvas: a stamped circle, a star stamp with its
// join lines, and the extremes: a line across the screen, clearing it, and primitives far
// larger than the screen.
#include <benchmark/benchmark.h>

#include <climits>
#include <cmath>

#include "canvas/RasterCanvas.h"

namespace {

// Alternating pens make every primitive really change its pixels.
ColourRef PenFor(std::int64_t iteration) {
  return iteration % 2 ? 0x3080FF : 0xFF8030;
}

void CircleRadius38(benchmark::State& state) {
  CRasterCanvas canvas(1920, 1080);
  std::int64_t i = 0;
  for (auto _ : state) {
    canvas.BeginContext();
    canvas.SelectPen(PenFor(i++));
    canvas.Arc(960 - 38, 540 - 38, 960 + 38, 540 + 38, 960 - 38, 540, 960 - 38, 540);
    canvas.RestorePen();
  }
}
BENCHMARK(CircleRadius38);

// A 4 Point Star of radius 38 in join mode Both: 8 join lines from the previous stamp's
// corners, then the 8-sided outline.
void StarStampSixteenLines(benchmark::State& state) {
  CRasterCanvas canvas(1920, 1080);
  int dx[8];
  int dy[8];
  for (int k = 0; k < 8; ++k) {
    const double radius = k % 2 ? 19.0 : 38.0;
    dx[k] = static_cast<int>(radius * std::cos(k * M_PI / 4));
    dy[k] = static_cast<int>(radius * std::sin(k * M_PI / 4));
  }
  std::int64_t i = 0;
  for (auto _ : state) {
    canvas.BeginContext();
    canvas.SelectPen(PenFor(i++));
    for (int k = 0; k < 8; ++k) {
      canvas.MoveTo(957 + dx[k], 544 + dy[k]);
      canvas.LineTo(960 + dx[k], 540 + dy[k]);
    }
    canvas.MoveTo(960 + dx[0], 540 + dy[0]);
    for (int k = 1; k <= 8; ++k) {
      canvas.LineTo(960 + dx[k % 8], 540 + dy[k % 8]);
    }
    canvas.RestorePen();
  }
}
BENCHMARK(StarStampSixteenLines);

void FullScreenLine(benchmark::State& state) {
  CRasterCanvas canvas(1920, 1080);
  std::int64_t i = 0;
  for (auto _ : state) {
    canvas.BeginContext();
    canvas.SelectPen(PenFor(i++));
    canvas.MoveTo(0, 0);
    canvas.LineTo(1920, 1080);
  }
}
BENCHMARK(FullScreenLine);

void HostileLineClipped(benchmark::State& state) {
  CRasterCanvas canvas(1920, 1080);
  std::int64_t i = 0;
  for (auto _ : state) {
    canvas.BeginContext();
    canvas.SelectPen(PenFor(i++));
    canvas.MoveTo(INT_MIN, INT_MIN + 12345);
    canvas.LineTo(INT_MAX, INT_MAX - 6789);
  }
}
BENCHMARK(HostileLineClipped);

// Every row holds colour, as after a dense figure: the clear writes all 2 million pixels.
void ClearPainted1920x1080(benchmark::State& state) {
  CRasterCanvas canvas(1920, 1080);
  for (auto _ : state) {
    state.PauseTiming();
    canvas.SelectPen(0xFFFFFF);
    for (int y = 0; y < 1080; ++y) {
      canvas.MoveTo(0, y);
      canvas.LineTo(1920, y);
    }
    state.ResumeTiming();
    canvas.FillRectBlack(0, 0, 1920, 1080);
  }
}
BENCHMARK(ClearPainted1920x1080)->Unit(benchmark::kMicrosecond);

// Already black: the clear only reads.
void ClearBlack1920x1080(benchmark::State& state) {
  CRasterCanvas canvas(1920, 1080);
  for (auto _ : state) {
    canvas.FillRectBlack(0, 0, 1920, 1080);
  }
}
BENCHMARK(ClearBlack1920x1080)->Unit(benchmark::kMicrosecond);

// The biggest circle still walked exactly (radius 131072), crossing the screen's left edge.
void LargestExactCircle(benchmark::State& state) {
  CRasterCanvas canvas(1920, 1080);
  const int r = 1 << 17;
  std::int64_t i = 0;
  for (auto _ : state) {
    canvas.BeginContext();
    canvas.SelectPen(PenFor(i++));
    canvas.Arc(100, 540 - r, 100 + 2 * r, 540 + r, 0, 0, 0, 0);
  }
}
BENCHMARK(LargestExactCircle)->Unit(benchmark::kMicrosecond);

// A box spanning the whole int range, drawn row by row over the screen.
void HugeCircle(benchmark::State& state) {
  CRasterCanvas canvas(1920, 1080);
  std::int64_t i = 0;
  for (auto _ : state) {
    canvas.BeginContext();
    canvas.SelectPen(PenFor(i++));
    canvas.Arc(100, -1000000000, 2000000100, 1000000000, 0, 0, 0, 0);
  }
}
BENCHMARK(HugeCircle)->Unit(benchmark::kMicrosecond);

}  // namespace
