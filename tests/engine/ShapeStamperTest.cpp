#include <gmock/gmock.h>
#include "EngineFixture.h"

#include "app/OptionBits.h"

class ShapeStamperTest : public EngineTest {
 protected:
  void Stamp(int shape, int radius, int join = OptionBits::kJoinNo, int x = 100, int y = 100) {
    wnd.m_shape = shape;
    wnd.m_radius = radius;
    wnd.m_joinMode = static_cast<std::int16_t>(join);
    wnd.StampShape(host.surface, x, y);
  }

  std::vector<CPoint> Corners(int first, int count) const {
    return {wnd.m_curCorners.begin() + first, wnd.m_curCorners.begin() + first + count};
  }

  // The outline of the given slots: move to the first, line to the rest and back.
  static std::vector<CDrawCall> Outline(const std::vector<CPoint>& corners) {
    std::vector<CDrawCall> calls{MoveCall(corners[0].x, corners[0].y)};
    for (std::size_t k = 1; k < corners.size(); ++k) {
      calls.push_back(LineCall(corners[k].x, corners[k].y));
    }
    calls.push_back(LineCall(corners[0].x, corners[0].y));
    return calls;
  }
};

MATCHER_P2(IsAt, x, y, "") {
  return arg.x == x && arg.y == y;
}

TEST_F(ShapeStamperTest, CornerPositionsOfTheTable) {
  using ::testing::ElementsAre;
  Stamp(OptionBits::kTriangle, 10);
  EXPECT_THAT(Corners(0, 3), ElementsAre(IsAt(100, 110), IsAt(92, 96), IsAt(108, 96)));
  Stamp(OptionBits::kPyramid, 10);
  EXPECT_THAT(Corners(3, 3), ElementsAre(IsAt(108, 104), IsAt(92, 104), IsAt(100, 90)));
  Stamp(OptionBits::kFourPointStar, 10);
  EXPECT_THAT(Corners(0, 8),
              ElementsAre(IsAt(110, 100), IsAt(103, 103), IsAt(100, 110), IsAt(97, 103),
                          IsAt(90, 100), IsAt(97, 97), IsAt(100, 90), IsAt(103, 97)));
  Stamp(OptionBits::kDiamond, 10);
  EXPECT_THAT(Corners(4, 4),
              ElementsAre(IsAt(110, 100), IsAt(100, 110), IsAt(90, 100), IsAt(100, 90)));
}

TEST_F(ShapeStamperTest, RotatedSquareTurnsByTheStepIndex) {
  using ::testing::ElementsAre;
  wnd.m_stepIndex = 10;
  wnd.m_rotation = OptionBits::kRotateClockwise;
  Stamp(OptionBits::kSquare, 20);
  EXPECT_THAT(Corners(0, 4),
              ElementsAre(IsAt(111, 116), IsAt(84, 111), IsAt(89, 84), IsAt(116, 89)));
  wnd.m_rotation = OptionBits::kRotateAntiClockwise;
  Stamp(OptionBits::kSquare, 20);
  EXPECT_THAT(Corners(0, 4),
              ElementsAre(IsAt(116, 111), IsAt(89, 116), IsAt(84, 89), IsAt(111, 84)));
}

TEST_F(ShapeStamperTest, RotationIsBackHomeAt360AndNoneNeverTurns) {
  for (int rotation : {2, 4, 8}) {
    wnd.m_rotation = rotation;
    wnd.m_stepIndex = 0;
    Stamp(OptionBits::kFourPointStar, 30);
    const auto home = Corners(0, 8);
    wnd.m_stepIndex = 360;
    Stamp(OptionBits::kFourPointStar, 30);
    for (int k = 0; k < 8; ++k) {
      EXPECT_EQ(wnd.m_curCorners[k].x, home[k].x);
      EXPECT_EQ(wnd.m_curCorners[k].y, home[k].y);
    }
    wnd.m_stepIndex = 45;
    Stamp(OptionBits::kFourPointStar, 30);
    // Slot 0 starts at 0 degrees (to the right); 45 degrees on, it points down-right when
    // turning clockwise on screen and up-right when turning anticlockwise.
    const int expectedY = rotation == 2 ? 100 : rotation == 4 ? 121 : 79;
    EXPECT_EQ(wnd.m_curCorners[0].y, expectedY) << rotation;
  }
}

TEST_F(ShapeStamperTest, SmallRadiiCollapseCorners) {
  Stamp(OptionBits::kFourPointStar, 1);
  for (int k = 1; k < 8; k += 2) {
    EXPECT_EQ(wnd.m_curCorners[k].x, 100);
    EXPECT_EQ(wnd.m_curCorners[k].y, 100);
  }
  Stamp(OptionBits::kCircle, 0);
  EXPECT_EQ(host.surface.calls.back(),
            (CDrawCall{CDrawCall::kArc, {100, 100, 100, 100, 100, 100, 100, 100}}));
}

TEST_F(ShapeStamperTest, CircleIgnoresTheJoinModeAndTheCorners) {
  for (int join : {1, 2, 4}) {
    host.surface.calls.clear();
    wnd.m_firstStamp = 1;
    const auto before = wnd.m_prevCorners;
    Stamp(OptionBits::kCircle, 7, join, 50, 60);
    EXPECT_EQ(host.surface.calls,
              (std::vector<CDrawCall>{{CDrawCall::kArc, {43, 53, 57, 67, 43, 60, 43, 60}}}));
    EXPECT_EQ(wnd.m_firstStamp, 1);
    EXPECT_EQ(wnd.m_prevCorners[0].x, before[0].x);
  }
}

TEST_F(ShapeStamperTest, JoinYesDrawsNothingFirstThenOnlyJoinLines) {
  wnd.m_firstStamp = 1;
  Stamp(OptionBits::kTriangle, 10, OptionBits::kJoinYes);
  EXPECT_TRUE(host.surface.calls.empty());
  EXPECT_EQ(wnd.m_firstStamp, 0);
  const auto first = Corners(0, 3);
  Stamp(OptionBits::kTriangle, 12, OptionBits::kJoinYes, 110, 100);
  const auto second = Corners(0, 3);
  std::vector<CDrawCall> expected;
  for (int k = 0; k < 3; ++k) {
    expected.push_back(MoveCall(first[k].x, first[k].y));
    expected.push_back(LineCall(second[k].x, second[k].y));
  }
  EXPECT_EQ(host.surface.calls, expected);
}

TEST_F(ShapeStamperTest, JoinBothDrawsJoinLinesBeforeTheOutline) {
  wnd.m_firstStamp = 1;
  Stamp(OptionBits::kFourPointStar, 10, OptionBits::kJoinBoth);
  EXPECT_EQ(host.surface.calls, Outline(Corners(0, 8)));
  const auto first = Corners(0, 8);
  host.surface.calls.clear();
  wnd.m_stepIndex = 1;
  Stamp(OptionBits::kFourPointStar, 10, OptionBits::kJoinBoth, 105, 100);
  ASSERT_EQ(host.surface.calls.size(), 16u + 9u);
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(host.surface.calls[2 * k], MoveCall(first[k].x, first[k].y));
    EXPECT_EQ(host.surface.calls[2 * k + 1],
              LineCall(wnd.m_curCorners[k].x, wnd.m_curCorners[k].y));
  }
  const auto outline = Outline(Corners(0, 8));
  EXPECT_TRUE(std::equal(outline.begin(), outline.end(), host.surface.calls.begin() + 16));
}

TEST_F(ShapeStamperTest, JoinNoLeavesFlagAndPreviousCornersAlone) {
  wnd.m_firstStamp = 1;
  wnd.m_prevCorners.fill(CPoint{-7, -7});
  Stamp(OptionBits::kSquare, 10, OptionBits::kJoinNo);
  EXPECT_EQ(wnd.m_firstStamp, 1);
  EXPECT_EQ(wnd.m_prevCorners[2].x, -7);
  EXPECT_EQ(host.surface.calls, Outline(Corners(0, 4)));
}

TEST_F(ShapeStamperTest, CompositeStarsJoinNeitherHalfOnTheirFirstStamp) {
  struct Case {
    int shape;
    int corners;
  };
  for (const auto& c : {Case{OptionBits::kEightPointStar, 8}, Case{OptionBits::kSixPointStar, 6}}) {
    SCOPED_TRACE(c.shape);
    host.surface.calls.clear();
    wnd.m_firstStamp = 1;
    Stamp(c.shape, 10, OptionBits::kJoinYes);
    EXPECT_TRUE(host.surface.calls.empty());
    EXPECT_EQ(wnd.m_firstStamp, 0);
    const auto previous = Corners(0, 8);
    Stamp(c.shape, 10, OptionBits::kJoinYes, 120, 100);
    ASSERT_EQ(host.surface.calls.size(), 2u * c.corners);
    for (int k = 0; k < c.corners; ++k) {
      EXPECT_EQ(host.surface.calls[2 * k], MoveCall(previous[k].x, previous[k].y));
      EXPECT_EQ(host.surface.calls[2 * k + 1],
                LineCall(wnd.m_curCorners[k].x, wnd.m_curCorners[k].y));
    }
  }
}

TEST_F(ShapeStamperTest, UnknownShapesDrawTheCircle) {
  for (int shape : {0, 1, 3, 512, -1}) {
    host.surface.calls.clear();
    Stamp(shape, 5);
    ASSERT_EQ(host.surface.calls.size(), 1u);
    EXPECT_EQ(host.surface.calls[0].kind, CDrawCall::kArc);
  }
}

TEST_F(ShapeStamperTest, ExtremeCentresSaturateInsteadOfOverflowing) {
  wnd.m_stepIndex = INT32_MAX;
  wnd.m_rotation = OptionBits::kRotateAntiClockwise;
  Stamp(OptionBits::kEightPointStar, 1 << 26, OptionBits::kJoinBoth, INT32_MAX, INT32_MIN);
  Stamp(OptionBits::kCircle, 1 << 26, OptionBits::kJoinBoth, INT32_MAX, INT32_MIN);
  for (const auto& call : host.surface.calls) {
    for (int v : call.v) {
      EXPECT_LE(std::abs(static_cast<long long>(v)), (1LL << 30) + (1LL << 26));
    }
  }
}
