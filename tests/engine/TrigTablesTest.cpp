#include <cmath>

#include "EngineFixture.h"

using TrigTablesTest = EngineTest;

TEST_F(TrigTablesTest, FirstQuadrantUsesTheTenDecimalPiFactor) {
  // Pinned bit for bit: a build whose library or rounding differs would draw other figures.
  EXPECT_EQ(wnd.m_sinTable[1], 0x1.1df0b2b87ab8cp-6);
  EXPECT_EQ(wnd.m_sinTable[30], 0x1.ffffffffc6ffcp-2);
  EXPECT_EQ(wnd.m_sinTable[45], 0x1.6a09e667d0d4ep-1);
  EXPECT_EQ(wnd.m_cosTable[45], 0x1.6a09e66816a4bp-1);
  EXPECT_EQ(wnd.m_cosTable[60], 0x1.0000000039004p-1);
  EXPECT_EQ(wnd.m_sinTable[89], 0x1.ffec097f59447p-1);
  // True pi / 180 would give exactly 0.5 here.
  EXPECT_LT(wnd.m_sinTable[30], 0.5);
}

TEST_F(TrigTablesTest, QuadrantsFollowBySymmetry) {
  // 0 and 90 are where the rules meet; see below.
  for (int i = 1; i < 90; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(wnd.m_sinTable[180 - i], wnd.m_sinTable[i]);
    EXPECT_EQ(wnd.m_sinTable[180 + i], -wnd.m_sinTable[i]);
    EXPECT_EQ(wnd.m_cosTable[180 - i], -wnd.m_cosTable[i]);
    EXPECT_EQ(wnd.m_cosTable[180 + i], -wnd.m_cosTable[i]);
    EXPECT_EQ(wnd.m_sinTable[360 - i], -wnd.m_sinTable[i]);
    EXPECT_EQ(wnd.m_cosTable[360 - i], wnd.m_cosTable[i]);
  }
}

TEST_F(TrigTablesTest, WhereRulesMeetTheLaterWriteWins) {
  EXPECT_EQ(wnd.m_sinTable[0], 0.0);
  EXPECT_FALSE(std::signbit(wnd.m_sinTable[0]));
  EXPECT_EQ(wnd.m_sinTable[180], 0.0);
  EXPECT_TRUE(std::signbit(wnd.m_sinTable[180]));
  EXPECT_FALSE(std::signbit(wnd.m_sinTable[360]));
  EXPECT_EQ(wnd.m_cosTable[0], 1.0);
  EXPECT_EQ(wnd.m_cosTable[360], 1.0);
  EXPECT_EQ(wnd.m_cosTable[180], -1.0);
  EXPECT_EQ(wnd.m_sinTable[90], 1.0);
  EXPECT_EQ(wnd.m_sinTable[270], -1.0);
  // Both hold minus the cosine of 90 degrees, a tiny negative number rather than 0.
  EXPECT_EQ(wnd.m_cosTable[90], -0x1.8aea234c4c663p-35);
  EXPECT_EQ(wnd.m_cosTable[270], -0x1.8aea234c4c663p-35);
}
