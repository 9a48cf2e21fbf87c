#include "EngineFixture.h"
#include "RenderDriver.h"
#include "RenderOptions.h"

namespace {

struct CRun {
  std::vector<std::string> lines;
  int stepIndex, fills, contexts;
};

CRun RenderRun(std::uint32_t seed, std::uint32_t figures, long long ticks) {
  SaverSettings settings;
  CRecordingSurface surface;
  int contexts = 0;
  CHeadlessHost host(
      surface, [&contexts] { ++contexts; }, 640, 480, seed);
  CTracingCurveWnd wnd(settings, host, 0);
  RunHeadless(wnd, host, surface, figures, ticks);
  return {wnd.m_traceLines, wnd.m_stepIndex, surface.Count(CDrawCall::kFill), contexts};
}

}  // namespace

TEST(RenderDriverTest, FiguresModeLeavesTheLastFigureOnScreenTicksModeCountsDrawingTicks) {
  auto run = RenderRun(7, 3, -1);
  ASSERT_EQ(run.lines.size(), 3u);
  // The first erase, and one clear between figures.
  EXPECT_EQ(std::tuple(run.stepIndex, run.fills, run.contexts), std::tuple(361, 3, 3 * 361 + 2));
  EXPECT_EQ(run.lines[0].rfind("figure=1 kindX=", 0), 0u) << run.lines[0];
  EXPECT_EQ(run.lines[2].rfind("figure=3 ", 0), 0u);
  run = RenderRun(7, 1, 0);
  EXPECT_EQ(std::pair(run.lines.size(), run.stepIndex), std::pair(0ul, 0));
  run = RenderRun(7, 1, 362);
  EXPECT_EQ(std::tuple(run.lines.size(), run.stepIndex, run.fills), std::tuple(2ul, 1, 2));
  run = RenderRun(7, 1, 361);  // the completion delay has not ended yet
  EXPECT_EQ(std::pair(run.stepIndex, run.fills), std::pair(361, 1));
}

TEST(RenderDriverTest, TraceLineHoldsThePlannedValues) {
  SaverSettings s;
  CFakeCurveHost fake;
  CCurveWnd wnd(s, fake, 0);
  wnd.m_kindX = 1;
  wnd.m_kindY = 0;
  wnd.m_shape = 256;
  wnd.m_rotation = 8;
  wnd.m_zoomLevel = 16;
  wnd.m_zoomPhase = 128;
  wnd.m_shrinking = 0;
  wnd.m_joinMode = 4;
  wnd.m_radius = 38;
  wnd.m_firstPoint = {600, -1};
  wnd.m_colour = {0x0A, 0xBC, 0x01};
  EXPECT_EQ(FormatTraceLine(2, wnd),
            "figure=2 kindX=1 kindY=0 shape=256 rotation=8 zoomLevel=16 zoomPhase=128 "
            "shrinking=0 joinMode=4 radius=38 firstPoint=600,-1 colour=0x01BC0A");
}

TEST(RenderOptionsTest, NoOptionsAndEveryOptionAreRead) {
  CRenderOptions options;
  std::string error;
  ASSERT_TRUE(ParseRenderOptions({}, options, error));
  ASSERT_TRUE(ParseRenderOptions({"--seed", "4294967295", "--size", "3x16384", "--settings",
                                  "s.reg", "--ticks", "0", "--out", "a.bmp", "--trace"},
                                 options, error));
  EXPECT_EQ(std::tuple(options.seed, options.width, options.height, options.settingsFile,
                       options.ticks, options.outFile, options.trace),
            std::tuple(4294967295u, 3, 16384, "s.reg", 0u, "a.bmp", true));
  CRenderOptions figures;
  ASSERT_TRUE(ParseRenderOptions({"--figures", "3", "--seed", "0"}, figures, error));
  EXPECT_EQ(figures.figures, 3u);
  EXPECT_EQ(figures.seed, 0u);
  EXPECT_TRUE(error.empty());
}

TEST(RenderOptionsTest, BadOptionsAreRefused) {
  const std::vector<std::vector<std::string>> bad = {{"--seed"},
                                                     {"--seed", "4294967296"},
                                                     {"--seed", "-1"},
                                                     {"--seed", "+5"},
                                                     {"--seed", "12a"},
                                                     {"--seed", ""},
                                                     {"--seed", "99999999999999999999999"},
                                                     {"--size", "640"},
                                                     {"--size", "640x"},
                                                     {"--size", "x480"},
                                                     {"--size", "2x480"},
                                                     {"--size", "640x16385"},
                                                     {"--size", "640X480"},
                                                     {"--size", "-640x480"},
                                                     {"--figures", "0"},
                                                     {"--figures", "100001"},
                                                     {"--ticks", "-3"},
                                                     {"--figures", "2", "--ticks", "5"},
                                                     {"--trace", "--trace"},
                                                     {"--seed", "1", "--seed", "2"},
                                                     {"--out", ""},
                                                     {"--settings", ""},
                                                     {"--colour", "red"},
                                                     {"seed=1"}};
  for (const auto& args : bad) {
    CRenderOptions options;
    std::string error;
    EXPECT_FALSE(ParseRenderOptions(args, options, error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
}
