#include "app/SaverSettings.h"

#include <gtest/gtest.h>

#include "FakeProfileStore.h"

namespace {

TEST(SaverSettingsTest, NothingStoredGivesTheDefaults) {
  CFakeProfileStore store;
  SaverSettings s(&store);
  s.m_pausingKey = "junk";
  s.LoadSettings();
  EXPECT_EQ(s.m_endDelay, 1);
  EXPECT_EQ(s.m_zoomOption, 0u);
  EXPECT_EQ(s.m_colourOption, 10);
  EXPECT_EQ(s.m_objectRotation, 2u);
  EXPECT_EQ(s.m_objectShape, 2u);
  EXPECT_EQ(s.m_joinTheDots, 2);
  EXPECT_EQ(s.m_timerInterval, 50u);
  EXPECT_DOUBLE_EQ(s.m_objectSizeFactor, 0.08);
  EXPECT_EQ(s.m_pausingActive, 0);
  EXPECT_EQ(s.m_printingActive, 0);
  EXPECT_EQ(s.m_pausingKey, "");
  EXPECT_EQ(s.m_printingKey, "");
  EXPECT_EQ(s.m_sequenceNo, 0);
  EXPECT_EQ(s.m_fileLocation, "");
  EXPECT_TRUE(store.writes.empty());
}

struct ImagesCase {
  std::uint32_t stored;
  std::uint32_t intervalMs;
  std::uint32_t writtenBack;
};

class ImagesPerSecTest : public testing::TestWithParam<ImagesCase> {};

TEST_P(ImagesPerSecTest, KeepsOnlyTheIntervalAndWritesBackItsInverse) {
  CFakeProfileStore store;
  store.values["ImagesPerSec"] = GetParam().stored;
  SaverSettings s(&store);
  s.LoadImagesPerSec();
  EXPECT_EQ(s.m_timerInterval, GetParam().intervalMs);
  s.SaveImagesPerSec();
  EXPECT_EQ(std::get<std::uint32_t>(store.values["ImagesPerSec"]), GetParam().writtenBack);
}

INSTANTIATE_TEST_SUITE_P(Conversions, ImagesPerSecTest,
                         testing::Values(ImagesCase{20, 50, 20}, ImagesCase{30, 33, 30},
                                         ImagesCase{36, 27, 37}, ImagesCase{1, 1000, 1},
                                         ImagesCase{501, 1, 1000}, ImagesCase{1000, 1, 1000},
                                         // never written by the sheet: no 0 ms timer, no
                                         // division by zero
                                         ImagesCase{1001, 1, 1000}, ImagesCase{0xFFFFFFFF, 1, 1000},
                                         ImagesCase{0, 50, 20}));

TEST(SaverSettingsTest, EveryWholePercentRoundTrips) {
  CFakeProfileStore store;
  SaverSettings s(&store);
  for (std::uint32_t percent = 0; percent <= 500; ++percent) {
    store.values["RadiusFactor"] = percent;
    s.LoadRadiusFactor();
    ASSERT_EQ(s.ObjectSizePercent(), percent);
    s.SaveRadiusFactor();
    ASSERT_EQ(std::get<std::uint32_t>(store.values["RadiusFactor"]), percent);
  }
  store.values["RadiusFactor"] = std::uint32_t{29};
  s.LoadRadiusFactor();
  EXPECT_DOUBLE_EQ(s.m_objectSizeFactor, 0.29);
}

TEST(SaverSettingsTest, JoinTheDotsKeepsLowSixteenBitsAndNeverZero) {
  CFakeProfileStore store;
  SaverSettings s(&store);
  for (const auto& [stored, loaded] : {std::pair<std::uint32_t, std::int16_t>{0, 2},
                                       {65536, 2},
                                       {65537, 1},
                                       {4, 4},
                                       {0xFFFF, -1}}) {
    store.values["JoinTheDots"] = stored;
    s.LoadJoinTheDots();
    EXPECT_EQ(s.m_joinTheDots, loaded) << stored;
  }
  s.m_joinTheDots = 0;
  s.SaveJoinTheDots();
  EXPECT_EQ(s.m_joinTheDots, 2);
  EXPECT_EQ(std::get<std::uint32_t>(store.values["JoinTheDots"]), 2u);
  s.m_joinTheDots = -1;
  s.SaveJoinTheDots();
  EXPECT_EQ(std::get<std::uint32_t>(store.values["JoinTheDots"]), 0xFFFFFFFFu);
}

TEST(SaverSettingsTest, MaskWritersSubstituteOnlyForEmptyShapeAndRotation) {
  CFakeProfileStore store;
  SaverSettings s(&store);
  s.SaveObjectShape(0);
  s.SaveObjectRotation(0);
  s.SaveZoomOption(0);
  s.SaveColourOption(-2);
  EXPECT_EQ(std::get<std::uint32_t>(store.values["ObjectShape"]), 2u);
  EXPECT_EQ(std::get<std::uint32_t>(store.values["ObjectRotation"]), 2u);
  EXPECT_EQ(std::get<std::uint32_t>(store.values["ZoomOption"]), 0u);
  EXPECT_EQ(std::get<std::uint32_t>(store.values["ColourOption"]), 0xFFFFFFFEu);
  store.values["ColourOption"] = std::uint32_t{0x1001E};
  s.LoadColourOption();
  EXPECT_EQ(s.m_colourOption, 30);
}

TEST(SaverSettingsTest, KeysUseTheirHistoricNamesAndWrongTypesGiveDefaults) {
  CFakeProfileStore store;
  store.values["PausingKay"] = std::string("P");
  store.values["PrintingKey"] = std::string("S");
  store.values["EndDelay"] = std::string("5");
  store.values["FileLocation"] = std::uint32_t{7};
  SaverSettings s(&store);
  s.LoadSettings();
  EXPECT_EQ(s.m_pausingKey, "P");
  EXPECT_EQ(s.m_printingKey, "S");
  EXPECT_EQ(s.m_endDelay, 1);
  EXPECT_EQ(s.m_fileLocation, "");
  s.m_pausingKey = "Q";
  s.SavePausingKay();
  EXPECT_EQ(std::get<std::string>(store.values["PausingKay"]), "Q");
  EXPECT_EQ(store.values.count("PausingKey"), 0u);
}

TEST(SaverSettingsTest, FailedWriteKeepsTheNewValueInTheRecord) {
  CFakeProfileStore store;
  store.failWrites = true;
  SaverSettings s(&store);
  s.m_sequenceNo = 42;
  EXPECT_EQ(s.SaveSequenceNo(), 0);
  EXPECT_EQ(s.m_sequenceNo, 42);
}

TEST(SaverSettingsTest, EndDelayInMillisecondsNeverOverflows) {
  SaverSettings s;
  for (const auto& [seconds, ms] : {std::pair<std::int32_t, std::uint32_t>{1, 1000},
                                    {0, 0},
                                    {60, 60000},
                                    {-1, 0},
                                    {INT32_MIN, 0},
                                    {2147483, 2147483000},
                                    {2147484, 0x7FFFFFFF},
                                    {INT32_MAX, 0x7FFFFFFF}}) {
    s.m_endDelay = seconds;
    EXPECT_EQ(s.EndDelayMs(), ms) << seconds;
  }
}

TEST(SaverSettingsTest, ChoicesAlwaysHoldACandidate) {
  SaverSettings s;
  struct Case {
    std::uint32_t stored;
    std::uint32_t shapes;
    std::uint32_t rotations;
  };
  for (const Case& c : {Case{0, 2, 2}, Case{1, 2, 2}, Case{0x200, 2, 2}, Case{0xFFFF0001, 2, 2},
                        Case{4 | 1, 5, 5}, Case{8, 8, 8}, Case{256, 256, 2}}) {
    s.m_objectShape = c.stored;
    s.m_objectRotation = c.stored;
    EXPECT_EQ(s.ShapeChoices(), c.shapes) << c.stored;
    EXPECT_EQ(s.RotationChoices(), c.rotations) << c.stored;
  }
  s.m_zoomOption = 2;
  EXPECT_EQ(s.ZoomChoices(), 2u | 32u);
  s.m_zoomOption = 2 | 128 | 256;
  EXPECT_EQ(s.ZoomChoices(), 2u | 128u | 256u);
  s.m_zoomOption = 64;
  EXPECT_EQ(s.ZoomChoices(), 64u);
  s.m_joinTheDots = 8;
  EXPECT_EQ(s.JoinChoices(), 2u);
  s.m_joinTheDots = 3;
  EXPECT_EQ(s.JoinChoices(), 3u);
  s.m_timerInterval = 0;
  EXPECT_EQ(s.TimerIntervalMs(), 1u);
}

TEST(SaverSettingsTest, HugeObjectSizeDoesNotOverflowThePercent) {
  SaverSettings s;
  s.m_objectSizeFactor = 1e30;
  EXPECT_EQ(s.ObjectSizePercent(), 0xFFFFFFFFu);
  s.m_objectSizeFactor = -3;
  EXPECT_EQ(s.ObjectSizePercent(), 0u);
}

}  // namespace
