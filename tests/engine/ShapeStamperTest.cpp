#include <gmock/gmock.h>

#include "EngineFixture.h"
#include "settings/OptionBits.h"

using ::testing::ElementsAre;

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
  // Join lines from the given corners to the current ones, then the current outline if asked.
  std::vector<CDrawCall> Expected(const std::vector<CPoint>& from, int count, bool outline) {
    std::vector<CDrawCall> calls;
    for (std::size_t k = 0; k < from.size() && static_cast<int>(k) < count; ++k) {
      calls.push_back(MoveCall(from[k].x, from[k].y));
      calls.push_back(LineCall(wnd.m_curCorners[k].x, wnd.m_curCorners[k].y));
    }
    for (int k = 0; outline && k <= count; ++k) {
      const CPoint& p = wnd.m_curCorners[k % count];
      calls.push_back(k == 0 ? MoveCall(p.x, p.y) : LineCall(p.x, p.y));
    }
    return calls;
  }
};

MATCHER_P2(IsAt, x, y, "") {
  return arg.x == x && arg.y == y;
}

TEST_F(ShapeStamperTest, CornerPositionsOfTheTable) {
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
  // Small radii collapse the inner corners onto the centre.
  Stamp(OptionBits::kFourPointStar, 1);
  EXPECT_THAT(Corners(1, 1), ElementsAre(IsAt(100, 100)));
  EXPECT_THAT(Corners(7, 1), ElementsAre(IsAt(100, 100)));
}

TEST_F(ShapeStamperTest, RotationTurnsByTheStepIndexAndIsBackHomeAt360) {
  wnd.m_stepIndex = 10;
  wnd.m_rotation = OptionBits::kRotateClockwise;
  Stamp(OptionBits::kSquare, 20);
  EXPECT_THAT(Corners(0, 4),
              ElementsAre(IsAt(111, 116), IsAt(84, 111), IsAt(89, 84), IsAt(116, 89)));
  wnd.m_rotation = OptionBits::kRotateAntiClockwise;
  Stamp(OptionBits::kSquare, 20);
  EXPECT_THAT(Corners(0, 4),
              ElementsAre(IsAt(116, 111), IsAt(89, 116), IsAt(84, 89), IsAt(111, 84)));
  // Slot 0 starts at 0 degrees (to the right); 45 degrees on, it points down-right when
  // turning clockwise on screen and up-right when turning anticlockwise.
  for (auto [rotation, y45] : {std::pair{2, 100}, {4, 121}, {8, 79}}) {
    wnd.m_rotation = rotation;
    wnd.m_stepIndex = 0;
    Stamp(OptionBits::kFourPointStar, 30);
    const auto home = Corners(0, 8);
    wnd.m_stepIndex = 360;
    Stamp(OptionBits::kFourPointStar, 30);
    for (int k = 0; k < 8; ++k) {
      EXPECT_THAT(Corners(k, 1), ElementsAre(IsAt(home[k].x, home[k].y))) << rotation;
    }
    wnd.m_stepIndex = 45;
    Stamp(OptionBits::kFourPointStar, 30);
    EXPECT_EQ(wnd.m_curCorners[0].y, y45) << rotation;
  }
}

TEST_F(ShapeStamperTest, CircleIgnoresTheJoinModeAndTheCorners) {
  for (int join : {1, 2, 4}) {
    host.surface.calls.clear();
    wnd.m_firstStamp = 1;
    const auto before = wnd.m_prevCorners[0];
    Stamp(OptionBits::kCircle, 7, join, 50, 60);
    EXPECT_EQ(host.surface.calls,
              (std::vector<CDrawCall>{{CDrawCall::kArc, {43, 53, 57, 67, 43, 60, 43, 60}}}));
    EXPECT_EQ(wnd.m_firstStamp, 1);
    EXPECT_EQ(wnd.m_prevCorners[0].x, before.x);
  }
  Stamp(OptionBits::kCircle, 0);
  EXPECT_EQ(host.surface.calls.back(),
            (CDrawCall{CDrawCall::kArc, {100, 100, 100, 100, 100, 100, 100, 100}}));
  for (int shape : {0, 1, 3, 512, -1}) {  // unknown shapes draw the circle
    host.surface.calls.clear();
    Stamp(shape, 5);
    ASSERT_EQ(host.surface.calls.size(), 1u);
    EXPECT_EQ(host.surface.calls[0].kind, CDrawCall::kArc);
  }
}

TEST_F(ShapeStamperTest, JoinYesDrawsNothingFirstThenOnlyJoinLinesEvenForCompositeStars) {
  for (auto [shape, corners] : {std::pair{OptionBits::kTriangle, 3},
                                {OptionBits::kEightPointStar, 8},
                                {OptionBits::kSixPointStar, 6}}) {
    SCOPED_TRACE(shape);
    host.surface.calls.clear();
    wnd.m_firstStamp = 1;
    Stamp(shape, 10, OptionBits::kJoinYes);
    EXPECT_TRUE(host.surface.calls.empty());
    EXPECT_EQ(wnd.m_firstStamp, 0);
    const auto previous = Corners(0, 8);
    Stamp(shape, 12, OptionBits::kJoinYes, 120, 100);
    EXPECT_EQ(host.surface.calls, Expected(previous, corners, false));
  }
}

TEST_F(ShapeStamperTest, JoinBothDrawsJoinLinesBeforeTheOutlineAndJoinNoOnlyTheOutline) {
  wnd.m_firstStamp = 1;
  Stamp(OptionBits::kFourPointStar, 10, OptionBits::kJoinBoth);
  EXPECT_EQ(host.surface.calls, Expected({}, 8, true));
  const auto first = Corners(0, 8);
  host.surface.calls.clear();
  wnd.m_stepIndex = 1;
  Stamp(OptionBits::kFourPointStar, 10, OptionBits::kJoinBoth, 105, 100);
  EXPECT_EQ(host.surface.calls, Expected(first, 8, true));

  host.surface.calls.clear();
  wnd.m_firstStamp = 1;
  wnd.m_prevCorners.fill(CPoint{-7, -7});
  Stamp(OptionBits::kSquare, 10, OptionBits::kJoinNo);
  EXPECT_EQ(wnd.m_firstStamp, 1);
  EXPECT_EQ(wnd.m_prevCorners[2].x, -7);
  EXPECT_EQ(host.surface.calls, Expected({}, 4, true));
}
