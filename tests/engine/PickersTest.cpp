#include <functional>

#include "EngineFixture.h"
#include "app/OptionBits.h"

using PickersTest = EngineTest;

TEST_F(PickersTest, SingleOptionMasksDrawNoRandomNumber) {
  Seed(99);
  for (std::uint32_t shape = 2; shape <= 256; shape <<= 1) {
    settings.m_objectShape = shape;
    EXPECT_EQ(wnd.PickShape(), static_cast<int>(shape));
  }
  for (std::uint32_t rotation : {2u, 4u, 8u}) {
    settings.m_objectRotation = rotation;
    EXPECT_EQ(wnd.PickRotation(), static_cast<int>(rotation));
  }
  for (std::int16_t join : {2, 1, 4}) {
    settings.m_joinTheDots = join;
    EXPECT_EQ(wnd.PickJoinMode(), join);
  }
  settings.m_zoomOption = OptionBits::kZoomStartLarge | OptionBits::kAllZoomPhases;
  EXPECT_EQ(wnd.PickZoomLevel(), 0);
  EXPECT_EQ(wnd.PickZoomStart(), 512);
  settings.m_zoomOption = 0;
  EXPECT_EQ(wnd.PickZoomStart(), 512);
  EXPECT_EQ(wnd.m_random.State(), reference.State());
}

TEST_F(PickersTest, SeveralOptionsRedrawUntilAnEnabledBit) {
  struct Case {
    const char* name;
    std::function<int()> pick;
    std::uint32_t mask;
    int modulus;
    int firstBit;
  };
  settings.m_objectShape = OptionBits::kCircle | OptionBits::kSquare;
  settings.m_objectRotation = OptionBits::kRotateClockwise | OptionBits::kRotateAntiClockwise;
  settings.m_joinTheDots = 3;
  const Case cases[] = {
      {"shape", [&] { return wnd.PickShape(); }, 6, 8, 1},
      {"rotation", [&] { return wnd.PickRotation(); }, 12, 3, 1},
      {"join", [&] { return static_cast<int>(wnd.PickJoinMode()); }, 3, 3, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
      Seed(seed);
      int expected = 0;
      do {
        expected = 1 << (reference.Next() % c.modulus + c.firstBit);
      } while ((expected & c.mask) == 0);
      EXPECT_EQ(c.pick(), expected);
      EXPECT_EQ(wnd.m_random.State(), reference.State());
    }
  }
}

TEST_F(PickersTest, ZoomPickersDrawEvenForASingleLevelAndStoreThePhase) {
  settings.m_zoomOption =
      OptionBits::kZoomLow | OptionBits::kZoomTwoPhase | OptionBits::kZoomStartSmall;
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    Seed(seed);
    EXPECT_EQ(wnd.PickZoomLevel(), 2);
    EXPECT_EQ(wnd.PickZoomPhase(), 64);
    EXPECT_EQ(wnd.m_zoomPhase, 64);
    EXPECT_EQ(wnd.PickZoomStart(), 256);
    int draws = 0;
    for (int want : {2, 64, 256}) {
      int bit = 0;
      const int modulus = want == 2 ? 4 : want == 64 ? 3 : 2;
      const int first = want == 2 ? 1 : want == 64 ? 5 : 8;
      do {
        bit = 1 << (reference.Next() % modulus + first);
        ++draws;
      } while (bit != want);
    }
    EXPECT_GE(draws, 3);
    EXPECT_EQ(wnd.m_random.State(), reference.State());
  }
}

TEST_F(PickersTest, MasksWithoutACandidateReturnACandidateAtOnce) {
  Seed(3);
  settings.m_objectShape = 0;
  EXPECT_EQ(wnd.PickShape(), 2);
  settings.m_objectShape = 0x200 | 1;
  EXPECT_EQ(wnd.PickShape(), 2);
  settings.m_objectRotation = 0xF0;
  EXPECT_EQ(wnd.PickRotation(), 2);
  settings.m_joinTheDots = 0;
  EXPECT_EQ(wnd.PickJoinMode(), 2);
  settings.m_joinTheDots = -8;  // 0xFFF8: no join bit
  EXPECT_EQ(wnd.PickJoinMode(), 2);
  EXPECT_EQ(wnd.m_random.State(), reference.State());
  // A level without any phase zooms in one phase.
  settings.m_zoomOption = OptionBits::kZoomHigh;
  EXPECT_EQ(wnd.PickZoomPhase(), 32);
}

TEST_F(PickersTest, StrayBitsBesideOneOptionTakeTheRandomPath) {
  Seed(11);
  settings.m_objectShape = OptionBits::kTriangle | 1;
  EXPECT_EQ(wnd.PickShape(), 8);
  EXPECT_NE(wnd.m_random.State(), reference.State());
  settings.m_objectShape = 0xFFFFFFFFu;
  for (int i = 0; i < 20; ++i) {
    const int shape = wnd.PickShape();
    EXPECT_TRUE(shape >= 2 && shape <= 256 && (shape & (shape - 1)) == 0) << shape;
  }
}
