#include "config/ConfigSheet.h"

#include <gtest/gtest.h>

#include <functional>

#include "FakePageControls.h"
#include "FakeProfileStore.h"
#include "config/SheetProtocol.h"

namespace {

using namespace ControlIds;

// Runs the sheet through a callback standing in for the user, and closes it with `result`.
class CScriptedHost : public IConfigSheetHost {
 public:
  int RunModalSheet(CConfigSheet& sheet) override {
    ++runs;
    if (user) {
      user(sheet);
    }
    return result;
  }
  std::function<void(CConfigSheet&)> user;
  int result = kSheetOk;
  int runs = 0;
};

std::uint32_t Stored(CFakeProfileStore& store, const char* name) {
  return std::get<std::uint32_t>(store.values.at(name));
}

TEST(ConfigSheetTest, OkWritesTheEditedValuesInTheWritersOrder) {
  CFakeProfileStore store;
  SaverSettings settings(&store);
  CScriptedHost host;
  RunConfigSheet(settings, host);
  EXPECT_EQ(host.runs, 1);
  const std::vector<std::string> order = {
      "RadiusFactor", "ImagesPerSec", "ObjectShape",   "ObjectRotation", "ZoomOption",
      "EndDelay",     "ColourOption", "PausingActive", "PrintingActive", "PausingKay",
      "PrintingKey",  "FileLocation", "JoinTheDots"};
  EXPECT_EQ(store.writes, order);
  EXPECT_EQ(store.values.count("SequenceNo"), 0u);
}

TEST(ConfigSheetTest, CancelWritesNothingAndKeepsTheReloadedValues) {
  CFakeProfileStore store;
  store.values["ObjectShape"] = 0x1FFu;
  SaverSettings settings(&store);
  CScriptedHost host;
  host.result = 2;
  host.user = [](CConfigSheet& sheet) { sheet.m_display.m_objectSize = 77; };
  RunConfigSheet(settings, host);
  EXPECT_TRUE(store.writes.empty());
  EXPECT_EQ(settings.m_objectShape, 0x1FFu);
  EXPECT_DOUBLE_EQ(settings.m_objectSizeFactor, 0.08);
}

TEST(ConfigSheetTest, ReloadsTheSettingsBeforeFillingThePages) {
  CFakeProfileStore store;
  SaverSettings settings(&store);
  store.values["EndDelay"] = 9u;
  CScriptedHost host;
  std::uint32_t shown = 0;
  host.user = [&](CConfigSheet& sheet) { shown = sheet.m_display.m_completionDelay; };
  RunConfigSheet(settings, host);
  EXPECT_EQ(shown, 9u);
}

struct UnitsCase {
  std::uint32_t storedImages;
  std::uint32_t shownImages;
  std::uint32_t storedPercent;
  friend void PrintTo(const UnitsCase& c, std::ostream* os) {
    *os << c.storedImages << "/s " << c.storedPercent << "%";
  }
};

class ConfigSheetUnitsTest : public testing::TestWithParam<UnitsCase> {};

TEST_P(ConfigSheetUnitsTest, ShowsAndWritesBackWhatTheIntervalAndPercentAllow) {
  CFakeProfileStore store;
  store.values["ImagesPerSec"] = GetParam().storedImages;
  store.values["RadiusFactor"] = GetParam().storedPercent;
  SaverSettings settings(&store);
  CScriptedHost host;
  CConfigSheet seen;
  host.user = [&](CConfigSheet& sheet) {
    seen.m_display.m_imagesPerSec = sheet.m_display.m_imagesPerSec;
    seen.m_display.m_objectSize = sheet.m_display.m_objectSize;
  };
  RunConfigSheet(settings, host);
  EXPECT_EQ(seen.m_display.m_imagesPerSec, GetParam().shownImages);
  EXPECT_EQ(seen.m_display.m_objectSize, GetParam().storedPercent);
  EXPECT_EQ(Stored(store, "ImagesPerSec"), GetParam().shownImages);
  EXPECT_EQ(Stored(store, "RadiusFactor"), GetParam().storedPercent);
}

INSTANTIATE_TEST_SUITE_P(Units, ConfigSheetUnitsTest,
                         testing::Values(UnitsCase{20, 20, 29}, UnitsCase{36, 37, 0},
                                         UnitsCase{30, 30, 500}, UnitsCase{501, 1000, 8},
                                         UnitsCase{777, 1000, 57}, UnitsCase{1000, 1000, 100},
                                         UnitsCase{1, 1, 1}));

TEST(ConfigSheetTest, EveryPercentAndEveryFastPaceSurvivesOk) {
  for (std::uint32_t n = 0; n <= 1000; ++n) {
    CFakeProfileStore store;
    store.values["RadiusFactor"] = n % 501;
    store.values["ImagesPerSec"] = n == 0 ? 1u : n;
    SaverSettings settings(&store);
    CScriptedHost host;
    RunConfigSheet(settings, host);
    ASSERT_EQ(Stored(store, "RadiusFactor"), n % 501);
    if (n > 500) {
      ASSERT_EQ(Stored(store, "ImagesPerSec"), 1000u);
    }
  }
}

TEST(ConfigSheetTest, MasksAreRebuiltFromTheCheckBoxesAlone) {
  CFakeProfileStore store;
  store.values["ObjectShape"] = 0xFFFFFFFFu;
  store.values["ObjectRotation"] = 0x1u | 0x8u | 0x100u;
  store.values["ZoomOption"] = 0x3FFu | 0x400u;
  store.values["JoinTheDots"] = 0x8u | 0x4u;
  SaverSettings settings(&store);
  CScriptedHost host;
  RunConfigSheet(settings, host);
  EXPECT_EQ(Stored(store, "ObjectShape"), 0x1FEu);
  EXPECT_EQ(Stored(store, "ObjectRotation"), 0x8u);
  EXPECT_EQ(Stored(store, "ZoomOption"), 0x3FEu);
  EXPECT_EQ(Stored(store, "JoinTheDots"), 0x4u);
}

TEST(ConfigSheetTest, EmptyMasksAreWrittenAsTheirDefaultsButZoomStaysEmpty) {
  CFakeProfileStore store;
  store.values["ZoomOption"] = 0x2u;
  SaverSettings settings(&store);
  CScriptedHost host;
  host.user = [](CConfigSheet& sheet) {
    sheet.m_shapes.m_circle = 0;
    sheet.m_rotation.m_none = 0;
    sheet.m_zoom.m_low = 0;
    sheet.m_joinTheDots.m_no = 0;
  };
  RunConfigSheet(settings, host);
  EXPECT_EQ(Stored(store, "ObjectShape"), 2u);
  EXPECT_EQ(Stored(store, "ObjectRotation"), 2u);
  EXPECT_EQ(Stored(store, "ZoomOption"), 0u);
  EXPECT_EQ(Stored(store, "JoinTheDots"), 2u);
  EXPECT_EQ(settings.m_joinTheDots, 2);
}

TEST(ConfigSheetTest, AColourNoButtonStandsForIsKeptUnlessAButtonIsClicked) {
  CFakeProfileStore store;
  store.values["ColourOption"] = 20u;
  SaverSettings settings(&store);
  CScriptedHost host;
  CFakePageControls controls;
  CFakeServices fakes;
  host.user = [&](CConfigSheet& sheet) {
    sheet.m_colours.OnSetActive(controls, fakes.services);
    sheet.m_colours.OnPaint(controls);
    EXPECT_EQ(controls.checks[kColourMedium], 1);
    EXPECT_EQ(sheet.m_colours.OnKillActive(controls, fakes.services), 1);
  };
  RunConfigSheet(settings, host);
  EXPECT_EQ(Stored(store, "ColourOption"), 20u);

  host.user = [&](CConfigSheet& sheet) {
    sheet.m_colours.OnCommand(kColourMedium, controls, fakes.services);
  };
  RunConfigSheet(settings, host);
  EXPECT_EQ(Stored(store, "ColourOption"), 30u);
}

TEST(ConfigSheetTest, ColoursPaintChecksTheButtonOfTheValue) {
  const std::pair<std::int16_t, int> cases[] = {
      {10, kColourHigh}, {30, kColourMedium}, {50, kColourLow}, {-1, kColourMedium}};
  for (const auto& [level, button] : cases) {
    CPageColours page;
    page.m_colourLevel = level;
    CFakePageControls controls;
    page.OnPaint(controls);
    for (int id = kColourHigh; id <= kColourLow; ++id) {
      EXPECT_EQ(controls.checks[id], id == button ? 1 : 0) << level;
    }
  }
  CPageColours page;
  CFakePageControls controls;
  CFakeServices fakes;
  page.OnCommand(kColourLow, controls, fakes.services);
  EXPECT_EQ(page.m_colourLevel, 50);
  page.OnCommand(kColourHigh, controls, fakes.services);
  EXPECT_EQ(page.m_colourLevel, 10);
}

TEST(ConfigSheetTest, PagesNeverShownHandBackInvalidStoredValues) {
  CFakeProfileStore store;
  store.values["PausingKay"] = std::string("xyz");
  store.values["PrintingKey"] = std::string("xyz");
  store.values["PausingActive"] = 1u;
  store.values["PrintingActive"] = 1u;
  store.values["FileLocation"] = std::string("/no/such/folder");
  store.values["EndDelay"] = 3600u;
  SaverSettings settings(&store);
  CScriptedHost host;
  CFakeServices fakes;
  host.user = [&](CConfigSheet& sheet) {
    CSheetProtocol protocol(sheet, fakes.services);
    CFakePageControls display;
    CFakePageControls colours;
    protocol.Open(display);
    EXPECT_EQ(protocol.ChangePage(1, display, colours), 0);  // the delay is out of range
    display.texts[kCompletionDelay] = "60";
    EXPECT_EQ(protocol.ChangePage(1, display, colours), 1);
    EXPECT_EQ(protocol.PressOk(colours), 1);
    EXPECT_FALSE(sheet.m_hotkeys.WasShown());
  };
  RunConfigSheet(settings, host);
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(fakes.messages.shown[0].text, "Please enter an integer between 0 and 60.");
  EXPECT_TRUE(fakes.paths.probed.empty());
  EXPECT_EQ(Stored(store, "EndDelay"), 60u);
  EXPECT_EQ(std::get<std::string>(store.values["PausingKay"]), "xyz");
  EXPECT_EQ(std::get<std::string>(store.values["FileLocation"]), "/no/such/folder");
}

TEST(ConfigSheetTest, OkAsksOnlyTheShownPageAndKeepsItWhenItRefuses) {
  CConfigSheet sheet;
  sheet.m_display.m_imagesPerSec = 20;
  CFakeServices fakes;
  CSheetProtocol protocol(sheet, fakes.services);
  CFakePageControls display;
  CFakePageControls hotkeys;
  protocol.Open(display);
  ASSERT_EQ(protocol.ChangePage(6, display, hotkeys), 1);
  hotkeys.checks[kPauseActive] = 1;
  hotkeys.checks[kPrintActive] = 1;
  EXPECT_EQ(protocol.PressOk(hotkeys), 0);
  EXPECT_EQ(protocol.ActivePage(), 6);
  EXPECT_EQ(protocol.ChangePage(0, hotkeys, display), 0);
  EXPECT_EQ(fakes.messages.shown.size(), 2u);
  hotkeys.texts[kPrintKey] = "S";
  display.texts[kImagesPerSec] = "junk";
  EXPECT_EQ(protocol.ChangePage(0, hotkeys, display), 1);
  EXPECT_EQ(protocol.ActivePage(), 0);
  EXPECT_EQ(display.texts[kImagesPerSec], "20");  // shown again: loads again
}

}  // namespace
