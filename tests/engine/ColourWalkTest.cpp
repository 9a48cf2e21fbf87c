#include "EngineFixture.h"

using ColourWalkTest = EngineTest;

TEST_F(ColourWalkTest, StartsBetween50And169InRedGreenBlueOrder) {
  for (std::uint32_t seed : {0u, 1u, 7u, 4000000000u}) {
    Seed(seed);
    wnd.InitColourWalk();
    EXPECT_EQ(wnd.m_colourStep, (std::array<std::int32_t, 3>{1, 2, 3}));
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(wnd.m_colour[c], reference.Next() % 120 + 50);
    }
  }
}

TEST_F(ColourWalkTest, ChannelsTurnAtTheFloorAnd250) {
  settings.m_colourOption = 10;
  wnd.m_colour = {249, 11, 250};
  wnd.m_colourStep = {3, -3, 1};
  wnd.NextColour();
  EXPECT_EQ(wnd.m_colour, (std::array<std::uint8_t, 3>{252, 8, 249}));
  wnd.NextColour();
  EXPECT_EQ(wnd.m_colour, (std::array<std::uint8_t, 3>{249, 11, 248}));
  EXPECT_EQ(wnd.m_colourStep, (std::array<std::int32_t, 3>{-3, 3, -1}));
}

TEST_F(ColourWalkTest, AChannelStartingOnTheLowFloorAlternatesForEver) {
  settings.m_colourOption = 50;
  wnd.m_colour = {50, 51, 169};
  wnd.m_colourStep = {1, 2, 3};
  std::vector<int> reds;
  for (int i = 0; i < 6; ++i) {
    wnd.NextColour();
    reds.push_back(wnd.m_colour[0]);
  }
  EXPECT_EQ(reds, (std::vector<int>{49, 50, 49, 50, 49, 50}));
  EXPECT_EQ(wnd.m_colour[1], 63);  // 51 never turns on the way up
}

TEST_F(ColourWalkTest, StaysInBoundsOverALongWalk) {
  for (std::int16_t floor : {10, 30, 50}) {
    settings.m_colourOption = floor;
    Seed(static_cast<std::uint32_t>(floor));
    wnd.InitColourWalk();
    for (int i = 0; i < 5000; ++i) {
      wnd.NextColour();
      for (int c = 0; c < 3; ++c) {
        ASSERT_GE(wnd.m_colour[c], floor - 2);
        ASSERT_LE(wnd.m_colour[c], 252);
      }
    }
  }
}

TEST_F(ColourWalkTest, FloorsTheSheetNeverWritesStillWalk) {
  // A floor above 250 negates every step at every update; a negative one lets a falling
  // channel wrap through 0 in 8 bits. Neither stops the walk or leaves the byte range.
  for (std::int16_t floor : {std::int16_t{-32768}, std::int16_t{300}, std::int16_t{32767}}) {
    settings.m_colourOption = floor;
    wnd.m_colour = {2, 128, 251};
    wnd.m_colourStep = {-3, 2, 3};
    for (int i = 0; i < 1000; ++i) {
      wnd.NextColour();
    }
    for (int step : wnd.m_colourStep) {
      EXPECT_TRUE(step == 1 || step == -1 || step == 2 || step == -2 || step == 3 || step == -3);
    }
  }
}
