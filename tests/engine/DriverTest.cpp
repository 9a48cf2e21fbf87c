#include "EngineFixture.h"
#include "settings/OptionBits.h"

using DriverTest = EngineTest;

TEST_F(DriverTest, CreationStartsTheDrawTimerSeedsAndPicksTheFirstKinds) {
  settings.m_timerInterval = 50;
  host.seed = 1234;
  Create();
  EXPECT_EQ(host.timerLog, (std::vector<std::string>{"set 1 50"}));
  EXPECT_EQ(std::pair(wnd.m_timerId, wnd.m_stepIndex), std::pair(1u, 0));
  EXPECT_EQ(wnd.KindsClash(), 0);
  // Three colour draws, then the kinds.
  reference.Seed(1234);
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(wnd.m_colour[c], reference.Next() % 120 + 50);
  }
  EXPECT_EQ(wnd.m_kindX, reference.Next() % 50);
  // Point 0 is drawn one colour step past the start.
  const auto start = wnd.m_colour;
  wnd.OnTimer(1);
  EXPECT_EQ(host.surface.calls.front(),
            (CDrawCall{CDrawCall::kSelectPen,
                       {(start[0] + 1) | (start[1] + 2) << 8 | (start[2] + 3) << 16}}));
}

TEST_F(DriverTest, AWholeFigureIs361TicksThenTheWaitThenAClear) {
  settings.m_endDelay = 3;
  Create();
  host.timerLog.clear();
  const auto firstKinds = std::pair{wnd.m_kindX, wnd.m_kindY};
  Ticks(360);
  EXPECT_EQ(wnd.m_stepIndex, 360);
  EXPECT_TRUE(host.timerLog.empty());
  EXPECT_EQ(std::pair(wnd.m_kindX, wnd.m_kindY), firstKinds);
  wnd.OnTimer(1);  // point 360
  EXPECT_EQ(wnd.m_stepIndex, 361);
  EXPECT_EQ(host.timerLog, (std::vector<std::string>{"kill 1", "set 2 3000"}));
  EXPECT_EQ(host.contextsOut, 0);
  // 361 circles at default settings, each in its own pen.
  for (auto kind : {CDrawCall::kArc, CDrawCall::kSelectPen, CDrawCall::kRestorePen}) {
    EXPECT_EQ(host.surface.Count(kind), 361);
  }
  EXPECT_EQ(host.surface.Count(CDrawCall::kFill), 0);
  // A tick already queued when timer 1 stopped, and a stranger's, are harmless.
  const auto calls = host.surface.calls.size();
  wnd.OnTimer(1);
  wnd.OnTimer(99);
  EXPECT_EQ(wnd.m_stepIndex, 361);
  EXPECT_EQ(host.surface.calls.size(), calls);

  host.surface.calls.clear();
  host.timerLog.clear();
  wnd.OnTimer(2);
  EXPECT_EQ(wnd.m_stepIndex, 0);
  EXPECT_EQ(host.timerLog, (std::vector<std::string>{"kill 2", "set 1 50"}));
  EXPECT_EQ(host.surface.calls, (std::vector<CDrawCall>{{CDrawCall::kFill, {0, 0, 640, 480}}}));
  wnd.OnTimer(1);
  EXPECT_EQ(wnd.m_stepIndex, 1);
  EXPECT_EQ(wnd.m_firstStamp, 1);  // circles never clear it
}

TEST_F(DriverTest, PlanningDrawsItsRandomNumbersInOrder) {
  settings.m_objectShape = OptionBits::kAllShapes;
  settings.m_objectRotation = OptionBits::kAllRotations;
  settings.m_joinTheDots = OptionBits::kAllJoinModes;
  settings.m_zoomOption = 0x3FF;
  host.seed = 42;
  Create();
  reference.Seed(wnd.m_random.State());
  wnd.OnTimer(1);
  reference.Next();  // mirror x
  reference.Next();  // mirror y
  EXPECT_EQ(wnd.m_shape, 1 << (reference.Next() % 8 + 1));
  EXPECT_EQ(wnd.m_rotation, 1 << (reference.Next() % 3 + 1));
  EXPECT_EQ(wnd.m_zoomLevel, 1 << (reference.Next() % 4 + 1));
  EXPECT_EQ(wnd.m_joinMode, 1 << (reference.Next() % 3));
  EXPECT_EQ(wnd.m_zoomPhase, 1 << (reference.Next() % 3 + 5));
  const int start = 1 << (reference.Next() % 2 + 8);
  EXPECT_EQ(wnd.m_random.State(), reference.State());
  // The first update may already have turned nothing: turns come at 90, 180 and 270 only.
  EXPECT_EQ(wnd.m_shrinking, start == 512 ? 1 : 0);
}

TEST_F(DriverTest, ZeroRadiusDrawsAPolylineClosedAfterPoint360) {
  settings.m_objectSizeFactor = 0.0;
  Create();
  wnd.OnTimer(1);
  std::vector<CPoint> pixels;
  for (int j = 0; j <= 360; ++j) {
    pixels.push_back(wnd.PointPixel(j, 0));
  }
  Ticks(360);
  const auto strokes = host.surface.Strokes();
  ASSERT_EQ(strokes.size(), 2u * 361 + 1);
  EXPECT_EQ(strokes[0], MoveCall(wnd.m_firstPoint.x, wnd.m_firstPoint.y));
  EXPECT_EQ(wnd.m_firstPoint.x + 1, pixels[0].x);
  for (int i = 0; i <= 360; ++i) {
    EXPECT_EQ(strokes[2 * i + 1], LineCall(pixels[i].x, pixels[i].y));
    if (i > 0) {
      EXPECT_EQ(strokes[2 * i], MoveCall(pixels[i - 1].x, pixels[i - 1].y));
    }
  }
  EXPECT_EQ(strokes.back(), LineCall(pixels[0].x, pixels[0].y));
}

TEST_F(DriverTest, ZeroRadiusStartSmallStampsASquareCollapsedOntoPointZero) {
  settings.m_objectSizeFactor = 0.0;
  settings.m_objectShape = OptionBits::kSquare;
  settings.m_joinTheDots = OptionBits::kJoinBoth;
  settings.m_zoomOption =
      OptionBits::kZoomMedium | OptionBits::kZoomOnePhase | OptionBits::kZoomStartSmall;
  Create();
  wnd.OnTimer(1);
  EXPECT_EQ(std::tuple(wnd.m_bigZoomSteps, wnd.m_zoomStep, wnd.m_radius), std::tuple(1, 0, 0));
  // Point 0: the square's outline collapsed onto the point.
  const CPoint p0 = wnd.PointPixel(0, 1);
  std::vector<CDrawCall> expected(5, LineCall(p0.x, p0.y));
  expected[0] = MoveCall(p0.x, p0.y);
  EXPECT_EQ(host.surface.Strokes(), expected);
}

TEST_F(DriverTest, PauseFreezesEveryTick) {
  Create();
  wnd.OnTimer(1);
  const auto colour = wnd.m_colour;
  const auto calls = host.surface.calls.size();
  settings.m_paused = 1;
  for (std::uint32_t id : {1u, 2u, 1u, 7u}) {
    wnd.OnTimer(id);
  }
  EXPECT_EQ(wnd.m_stepIndex, 1);
  EXPECT_EQ(wnd.m_colour, colour);
  EXPECT_EQ(host.surface.calls.size(), calls);
  settings.m_paused = 0;
  wnd.OnTimer(1);
  EXPECT_EQ(wnd.m_stepIndex, 2);
}

TEST_F(DriverTest, FailedTimersStopTheAnimationWithoutStopCalls) {
  host.failTimers = true;
  Create();
  EXPECT_EQ(wnd.m_timerId, 0u);
  Ticks(361);
  EXPECT_EQ(host.timerLog, (std::vector<std::string>{"set 1 50", "set 2 1000"}));
}

TEST_F(DriverTest, EraseFillsTheClientAreaBlackAndPaintDrawsNothing) {
  Create(300, 200);
  CRecordingSurface dc;
  EXPECT_EQ(wnd.OnEraseBkgnd(dc), 1);
  EXPECT_EQ(dc.calls, (std::vector<CDrawCall>{{CDrawCall::kFill, {0, 0, 300, 200}}}));
  wnd.OnPaint();
  EXPECT_TRUE(host.surface.calls.empty());
}

TEST_F(DriverTest, TinyAndEmptyWindowsRunWholeFiguresForEveryShape) {
  settings.m_objectShape = OptionBits::kAllShapes;
  settings.m_joinTheDots = OptionBits::kAllJoinModes;
  settings.m_zoomOption = 0x3FF;
  settings.m_endDelay = -5;
  Create(0, 0);
  for (auto [cx, cy] : {std::pair{1, 1}, {2, 2}, {3, 50}, {640, 480}, {0, 0}}) {
    for (double factor : {0.08, 5.0, 42949672.95}) {
      settings.m_objectSizeFactor = factor;
      wnd.OnSize(cx, cy);
      for (int figure = 0; figure < 3; ++figure) {
        Ticks(361);
        ASSERT_EQ(host.timers.count(2), 1u);
        EXPECT_EQ(host.timers[2], 0u);
        wnd.OnTimer(2);
      }
    }
  }
}
