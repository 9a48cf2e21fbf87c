#include <gtest/gtest.h>

#include "FakeCurveHost.h"
#include "RenderDriver.h"
#include "app/OptionBits.h"

class RenderDriverTest : public ::testing::Test {
 protected:
  std::vector<std::string> Run(std::uint32_t seed, std::uint32_t figures, long long ticks) {
    CHeadlessHost host(
        surface, [this] { ++contexts; }, 640, 480, seed);
    CTracingCurveWnd wnd(settings, host, 0);
    RunHeadless(wnd, host, surface, figures, ticks);
    stepIndex = wnd.m_stepIndex;
    return wnd.m_traceLines;
  }

  int Fills() const {
    int fills = 0;
    for (const auto& call : surface.calls) {
      fills += call.kind == CDrawCall::kFill ? 1 : 0;
    }
    return fills;
  }

  SaverSettings settings;
  CRecordingSurface surface;
  int contexts = 0;
  int stepIndex = -1;
};

TEST_F(RenderDriverTest, FiguresModeLeavesTheLastFigureOnScreen) {
  const auto lines = Run(7, 3, -1);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(stepIndex, 361);
  // The first erase, and one clear between figures.
  EXPECT_EQ(Fills(), 3);
  EXPECT_EQ(contexts, 3 * 361 + 2);
  EXPECT_EQ(lines[0].rfind("figure=1 kindX=", 0), 0u) << lines[0];
  EXPECT_EQ(lines[2].rfind("figure=3 ", 0), 0u);
}

TEST_F(RenderDriverTest, TicksModeCountsDrawingTicksOnly) {
  EXPECT_EQ(Run(7, 1, 0).size(), 0u);
  EXPECT_EQ(stepIndex, 0);
  surface.calls.clear();
  const auto lines = Run(7, 1, 362);
  EXPECT_EQ(lines.size(), 2u);
  EXPECT_EQ(stepIndex, 1);
  EXPECT_EQ(Fills(), 2);
  surface.calls.clear();
  Run(7, 1, 361);
  EXPECT_EQ(stepIndex, 361);
  EXPECT_EQ(Fills(), 1);  // the completion delay has not ended yet
}

TEST_F(RenderDriverTest, TraceLineHoldsThePlannedValues) {
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
