#include "config/ConfigSheet.h"

#include <gtest/gtest.h>

#include <functional>

#include "FakePageControls.h"
#include "FakeProfileStore.h"
#include "config/SheetProtocol.h"

namespace {

using namespace ControlIds;

// Runs the sheet over a fake store through a callback standing in for the user, and
// closes it with `result`.
class ConfigSheetTest : public testing::Test, public IConfigSheetHost {
 protected:
  int RunModalSheet(CConfigSheet& sheet) override {
    ++runs;
    if (user) {
      user(sheet);
    }
    return result;
  }
  void Run() { RunConfigSheet(settings, *this); }
  std::uint32_t Stored(const char* name) { return std::get<std::uint32_t>(store.values.at(name)); }

  CFakeProfileStore store;
  SaverSettings settings{&store};
  std::function<void(CConfigSheet&)> user;
  int result = kSheetOk;
  int runs = 0;
  CFakePageControls controls;
  CFakeServices fakes;
};

TEST_F(ConfigSheetTest, OkWritesTheEditedValuesInTheWritersOrder) {
  Run();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(store.writes,
            (std::vector<std::string>{"RadiusFactor", "ImagesPerSec", "ObjectShape",
                                      "ObjectRotation", "ZoomOption", "EndDelay", "ColourOption",
                                      "PausingActive", "PrintingActive", "PausingKay",
                                      "PrintingKey", "FileLocation", "JoinTheDots"}));
  EXPECT_EQ(store.values.count("SequenceNo"), 0u);
}

TEST_F(ConfigSheetTest, ReloadsBeforeFillingThePagesAndCancelWritesNothing) {
  store.values["ObjectShape"] = 0x1FFu;
  store.values["EndDelay"] = 9u;
  result = 2;
  std::uint32_t shown = 0;
  user = [&](CConfigSheet& sheet) {
    shown = sheet.m_display.m_completionDelay;
    sheet.m_display.m_objectSize = 77;
  };
  Run();
  EXPECT_EQ(shown, 9u);
  EXPECT_TRUE(store.writes.empty());
  EXPECT_EQ(settings.m_objectShape, 0x1FFu);
  EXPECT_DOUBLE_EQ(settings.m_objectSizeFactor, 0.08);
}

TEST_F(ConfigSheetTest, ShowsAndWritesBackWhatTheIntervalAndPercentAllow) {
  // Stored images a second, shown images a second, stored percent.
  const std::uint32_t cases[][3] = {{20, 20, 29},   {36, 37, 0},     {30, 30, 500},
                                    {501, 1000, 8}, {777, 1000, 57}, {1000, 1000, 100},
                                    {1, 1, 1}};
  for (const auto& [storedImages, shownImages, percent] : cases) {
    store.values["ImagesPerSec"] = storedImages;
    store.values["RadiusFactor"] = percent;
    std::pair<std::uint32_t, std::uint32_t> seen;
    user = [&](CConfigSheet& sheet) {
      seen = {sheet.m_display.m_imagesPerSec, sheet.m_display.m_objectSize};
    };
    Run();
    EXPECT_EQ(seen, std::pair(shownImages, percent)) << storedImages;
    EXPECT_EQ(std::pair(Stored("ImagesPerSec"), Stored("RadiusFactor")), seen);
  }
  user = nullptr;
  for (std::uint32_t n = 0; n <= 1000; ++n) {
    store.values["RadiusFactor"] = n % 501;
    store.values["ImagesPerSec"] = n == 0 ? 1u : n;
    Run();
    ASSERT_EQ(Stored("RadiusFactor"), n % 501);
    ASSERT_TRUE(n <= 500 || Stored("ImagesPerSec") == 1000u) << n;
  }
}

TEST_F(ConfigSheetTest, MasksAreRebuiltFromTheCheckBoxesAloneAndEmptyOnesDefault) {
  store.values["ObjectShape"] = 0xFFFFFFFFu;
  store.values["ObjectRotation"] = 0x1u | 0x8u | 0x100u;
  store.values["ZoomOption"] = 0x3FFu | 0x400u;
  store.values["JoinTheDots"] = 0x8u | 0x4u;
  Run();
  EXPECT_EQ(Stored("ObjectShape"), 0x1FEu);
  EXPECT_EQ(Stored("ObjectRotation"), 0x8u);
  EXPECT_EQ(Stored("ZoomOption"), 0x3FEu);
  EXPECT_EQ(Stored("JoinTheDots"), 0x4u);
  // Empty masks are written as their defaults, but zoom stays empty.
  store.values["ZoomOption"] = 0x2u;
  store.values["ObjectShape"] = 0x2u;
  store.values["ObjectRotation"] = 0x2u;
  store.values["JoinTheDots"] = 0x2u;
  user = [](CConfigSheet& sheet) {
    sheet.m_shapes.m_circle = 0;
    sheet.m_rotation.m_none = 0;
    sheet.m_zoom.m_low = 0;
    sheet.m_joinTheDots.m_no = 0;
  };
  Run();
  EXPECT_EQ(Stored("ObjectShape"), 2u);
  EXPECT_EQ(Stored("ObjectRotation"), 2u);
  EXPECT_EQ(Stored("ZoomOption"), 0u);
  EXPECT_EQ(Stored("JoinTheDots"), 2u);
  EXPECT_EQ(settings.m_joinTheDots, 2);
}

TEST_F(ConfigSheetTest, ColoursCheckTheButtonOfTheValueAndKeepAnOddOneUnlessClicked) {
  for (auto [level, button] : {std::pair<std::int16_t, int>{10, kColourHigh},
                               {30, kColourMedium},
                               {50, kColourLow},
                               {-1, kColourMedium}}) {
    CPageColours page;
    page.m_colourLevel = level;
    page.OnPaint(controls);
    for (int id = kColourHigh; id <= kColourLow; ++id) {
      EXPECT_EQ(controls.checks[id], id == button ? 1 : 0) << level;
    }
  }
  store.values["ColourOption"] = 20u;
  user = [&](CConfigSheet& sheet) {
    sheet.m_colours.OnSetActive(controls, fakes.services);
    sheet.m_colours.OnPaint(controls);
    EXPECT_EQ(controls.checks[kColourMedium], 1);
    EXPECT_EQ(sheet.m_colours.OnKillActive(controls, fakes.services), 1);
  };
  Run();
  EXPECT_EQ(Stored("ColourOption"), 20u);
  for (auto [id, level] : {std::pair{kColourMedium, 30u}, {kColourLow, 50u}, {kColourHigh, 10u}}) {
    user = [&, id = id](CConfigSheet& sheet) {
      sheet.m_colours.OnCommand(id, controls, fakes.services);
    };
    Run();
    EXPECT_EQ(Stored("ColourOption"), level);
  }
}

TEST_F(ConfigSheetTest, PagesNeverShownHandBackInvalidStoredValues) {
  store.values["PausingKay"] = std::string("xyz");
  store.values["PrintingKey"] = std::string("xyz");
  store.values["PausingActive"] = 1u;
  store.values["PrintingActive"] = 1u;
  store.values["FileLocation"] = std::string("/no/such/folder");
  store.values["EndDelay"] = 3600u;
  user = [&](CConfigSheet& sheet) {
    CSheetProtocol protocol(sheet, fakes.services);
    CFakePageControls colours;
    protocol.Open(controls);
    EXPECT_EQ(protocol.ChangePage(1, controls, colours), 0);  // the delay is out of range
    controls.texts[kCompletionDelay] = "60";
    EXPECT_EQ(protocol.ChangePage(1, controls, colours), 1);
    EXPECT_EQ(protocol.PressOk(colours), 1);
    EXPECT_FALSE(sheet.m_hotkeys.WasShown());
  };
  Run();
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(fakes.messages.shown[0].text, "Please enter an integer between 0 and 60.");
  EXPECT_TRUE(fakes.paths.probed.empty());
  EXPECT_EQ(Stored("EndDelay"), 60u);
  EXPECT_EQ(std::get<std::string>(store.values["PausingKay"]), "xyz");
  EXPECT_EQ(std::get<std::string>(store.values["FileLocation"]), "/no/such/folder");
}

TEST_F(ConfigSheetTest, OkAsksOnlyTheShownPageAndKeepsItWhenItRefuses) {
  CConfigSheet sheet;
  sheet.m_display.m_imagesPerSec = 20;
  CSheetProtocol protocol(sheet, fakes.services);
  CFakePageControls hotkeys;
  protocol.Open(controls);
  ASSERT_EQ(protocol.ChangePage(6, controls, hotkeys), 1);
  hotkeys.checks[kPauseActive] = 1;
  hotkeys.checks[kPrintActive] = 1;
  EXPECT_EQ(protocol.PressOk(hotkeys), 0);
  EXPECT_EQ(protocol.ActivePage(), 6);
  EXPECT_EQ(protocol.ChangePage(0, hotkeys, controls), 0);
  EXPECT_EQ(fakes.messages.shown.size(), 2u);
  hotkeys.texts[kPrintKey] = "S";
  controls.texts[kImagesPerSec] = "junk";
  EXPECT_EQ(protocol.ChangePage(0, hotkeys, controls), 1);
  EXPECT_EQ(protocol.ActivePage(), 0);
  EXPECT_EQ(controls.texts[kImagesPerSec], "20");  // shown again: loads again
}

}  // namespace
