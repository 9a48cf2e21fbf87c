#include "settings/SaverSettings.h"

#include <gtest/gtest.h>

#include "FakeProfileStore.h"

namespace {

class SaverSettingsTest : public testing::Test {
 protected:
  std::uint32_t Stored(const char* name) { return std::get<std::uint32_t>(store.values[name]); }

  CFakeProfileStore store;
  SaverSettings s{&store};
};

// Keys go by their historic names ("PausingKay"); a missing value, or one of the wrong type,
// loads as the default, and loading writes nothing back. The join keeps its low 16 bits, and
// a join of none is the default.
TEST_F(SaverSettingsTest, MissingValuesAndWrongTypesGiveTheDefaults) {
  // clang-format off
  store.values = {{"PausingKay", "P"}, {"PrintingKey", "S"}, {"EndDelay", "5"}, {"FileLocation", 7u},
                  {"JoinTheDots", 0x10000u}};
  // clang-format on
  s.m_fileLocation = "junk";
  s.LoadSettings();
  EXPECT_EQ(std::tie(s.m_endDelay, s.m_zoomOption, s.m_colourOption, s.m_objectRotation,
                     s.m_objectShape, s.m_joinTheDots, s.m_timerInterval),
            std::make_tuple(1, 0u, 10, 2u, 2u, std::int16_t{2}, 50u));
  EXPECT_DOUBLE_EQ(s.m_objectSizeFactor, 0.08);
  EXPECT_EQ(std::tie(s.m_pausingActive, s.m_printingActive, s.m_pausingKey, s.m_printingKey,
                     s.m_sequenceNo, s.m_fileLocation),
            std::make_tuple(0, 0, std::string("P"), std::string("S"), 0, std::string()));
  EXPECT_TRUE(store.writes.empty());
}

TEST_F(SaverSettingsTest, EveryWholePercentRoundTrips) {
  for (std::uint32_t percent = 0; percent <= 500; ++percent) {
    store.values["RadiusFactor"] = percent;
    s.LoadRadiusFactor();
    ASSERT_EQ(s.ObjectSizePercent(), percent);
    s.SaveRadiusFactor();
    ASSERT_EQ(Stored("RadiusFactor"), percent);
  }
}

// The writers substitute the defaults only for an empty shape, rotation or join mask, write
// under the historic names ("PausingKay"), and a failed write keeps the new value in the record.
TEST_F(SaverSettingsTest, WritersFillEmptyMasksUseHistoricNamesAndKeepTheRecordOnFailure) {
  s.m_joinTheDots = 0;
  s.m_pausingKey = "Q";
  s.SaveJoinTheDots();
  s.SaveObjectShape(0);
  s.SaveObjectRotation(0);
  s.SaveZoomOption(0);
  s.SaveColourOption(-2);
  s.SavePausingKay();
  EXPECT_EQ(std::tuple(s.m_joinTheDots, Stored("JoinTheDots"), Stored("ObjectShape"),
                       Stored("ObjectRotation"), Stored("ZoomOption"), Stored("ColourOption")),
            std::tuple(std::int16_t{2}, 2u, 2u, 2u, 0u, 0xFFFFFFFEu));
  EXPECT_EQ(std::pair(std::get<std::string>(store.values["PausingKay"]),
                      store.values.count("PausingKey")),
            std::pair(std::string("Q"), std::size_t{0}));
  s.m_joinTheDots = -1;
  s.SaveJoinTheDots();
  EXPECT_EQ(Stored("JoinTheDots"), 0xFFFFFFFFu);
  store.failWrites = true;
  s.m_sequenceNo = 42;
  EXPECT_EQ(s.SaveSequenceNo(), 0);
  EXPECT_EQ(s.m_sequenceNo, 42);
}

TEST_F(SaverSettingsTest, SafeAccessorsNeverOverflowAndAlwaysHoldACandidate) {
  // clang-format off
  const std::int64_t delays[][2] = {{1, 1000}, {0, 0}, {60, 60000}, {-1, 0}, {INT32_MIN, 0},
                                    {2147483, 2147483000}, {2147484, INT32_MAX},
                                    {INT32_MAX, INT32_MAX}};
  // clang-format on
  for (const auto& [seconds, ms] : delays) {
    s.m_endDelay = static_cast<std::int32_t>(seconds);
    EXPECT_EQ(s.EndDelayMs(), ms) << seconds;
  }
  // stored mask, shapes, rotations
  const std::uint32_t masks[][3] = {{0, 2, 2}, {1, 2, 2}, {0x200, 2, 2}, {0xFFFF0001, 2, 2},
                                    {5, 5, 5}, {8, 8, 8}, {256, 256, 2}};
  for (const auto& [stored, shapes, rotations] : masks) {
    s.m_objectShape = stored;
    s.m_objectRotation = stored;
    EXPECT_EQ(s.ShapeChoices(), shapes) << stored;
    EXPECT_EQ(s.RotationChoices(), rotations) << stored;
  }
  // stored zoom, zoom choices; stored join, join choices
  for (const auto& [zoom, zooms, join, joins] : {std::tuple{2u, 2u | 32u, 8, 2u},
                                                 {2u | 128u | 256u, 2u | 128u | 256u, 3, 3u},
                                                 {64u, 64u, 1, 1u},
                                                 {0u, 0u, 0, 2u}}) {
    s.m_zoomOption = zoom;
    s.m_joinTheDots = static_cast<std::int16_t>(join);
    EXPECT_EQ(std::pair(s.ZoomChoices(), s.JoinChoices()), std::pair(zooms, joins)) << zoom;
  }
  // Without a store nothing is written.
  EXPECT_EQ(std::pair(SaverSettings().SaveSequenceNo(), SaverSettings().SaveFileLocation()),
            std::pair(0, 0));
  s.m_timerInterval = 0;
  EXPECT_EQ(s.TimerIntervalMs(), 1u);
  s.m_objectSizeFactor = 1e30;
  EXPECT_EQ(s.ObjectSizePercent(), 0xFFFFFFFFu);
  s.m_objectSizeFactor = -3;
  EXPECT_EQ(s.ObjectSizePercent(), 0u);
}

}  // namespace
