#include "sheet/ConfigSheet.h"

#include <gtest/gtest.h>

#include <functional>

#include "FakePageControls.h"
#include "FakeProfileStore.h"
#include "sheet/SheetProtocol.h"

namespace {

using namespace ControlIds;

// The sheet run over a fake store: `user` stands in for the user, who then presses OK.
class ConfigSheetTest : public testing::Test, public IConfigSheetHost {
 protected:
  int RunModalSheet(CConfigSheet& sheet) override {
    user(sheet);
    return kSheetOk;
  }
  void Run() { RunConfigSheet(settings, *this); }
  std::uint32_t Stored(const char* name) { return std::get<std::uint32_t>(store.values.at(name)); }

  CFakeProfileStore store;
  SaverSettings settings{&store};
  std::function<void(CConfigSheet&)> user;
  CFakePage page;
};

TEST_F(ConfigSheetTest, OkConvertsTheMembersBackAndWritesThemInOrder) {
  // Stored images a second, shown and so stored again after OK.
  // Above 1000 and 0 are never written by the sheet: no 0 ms timer, no division by zero.
  const std::uint32_t cases[][2] = {{20, 20},           {36, 37},    {7, 7},
                                    {30, 30},           {501, 1000}, {1001, 1000},
                                    {0xFFFFFFFF, 1000}, {0, 20},     {1, 1}};
  for (const auto& [stored, shown] : cases) {
    store.values["ImagesPerSec"] = stored;
    user = [&, shown = shown](CConfigSheet& sheet) {
      EXPECT_EQ(sheet.m_display.m_imagesPerSec, shown);
    };
    Run();
    EXPECT_EQ(Stored("ImagesPerSec"), shown);
  }
  // A member of 0, which the page never lets through, leaves the interval as it was.
  user = [](CConfigSheet& sheet) { sheet.m_display.m_imagesPerSec = 0; };
  store.writes.clear();
  Run();
  EXPECT_EQ(Stored("ImagesPerSec"), 1u);
  EXPECT_EQ(store.writes,
            (std::vector<std::string>{"RadiusFactor", "ImagesPerSec", "ObjectShape",
                                      "ObjectRotation", "ZoomOption", "EndDelay", "ColourOption",
                                      "PausingActive", "PrintingActive", "PausingKay",
                                      "PrintingKey", "FileLocation", "JoinTheDots"}));
}

TEST_F(ConfigSheetTest, EachMaskBitTicksOneBoxAndOnlyTheBoxesComeBack) {
  // The box each bit ticks, from bit value 1 upward; 0 where no box shows the bit.
  const std::pair<const char*, std::vector<int>> masks[] = {
      {"ObjectShape", {0, 1001, 1005, 1007, 1002, 1006, 1008, 1003, 1004, 0}},
      {"ObjectRotation", {0, 1015, 1016, 1017, 0}},
      {"ZoomOption", {0, 1021, 1020, 1019, 1018, 1022, 1023, 1024, 1025, 1026, 0}},
      {"JoinTheDots", {1041, 1042, 1043, 0}}};
  user = [&](CConfigSheet& sheet) {
    for (CConfigPage* shown : sheet.Pages()) {
      shown->OnSetActive(page, page.services);
    }
  };
  for (const auto& [name, boxes] : masks) {
    for (std::size_t bit = 0; bit < boxes.size(); ++bit) {
      SCOPED_TRACE(std::string(name) + " bit " + std::to_string(bit));
      store.values[name] = 1u << bit;
      Run();
      for (const int box : boxes) {
        EXPECT_EQ(page.checks[box], box == boxes[bit] && box != 0 ? 1 : 0) << box;
      }
      // An empty mask is written as its default, except the zoom's.
      const std::uint32_t empty = std::string(name) == "ZoomOption" ? 0 : 2;
      EXPECT_EQ(Stored(name), boxes[bit] != 0 ? 1u << bit : empty);
    }
  }
}

TEST_F(ConfigSheetTest, ThePagesComeInTabOrderAndAskOnlyForPagesThatAreThereAndNotShown) {
  CConfigSheet sheet;
  std::string resources;
  for (const CConfigPage* p : sheet.Pages()) {
    resources +=
        std::string(p->Template().caption) + std::to_string(p->Template().resourceId) + " ";
  }
  EXPECT_EQ(resources,
            "Display108 Colours109 Rotation110 Shapes107 Zoom111 Join The Dots113 Hotkeys112 ");
  CSheetProtocol protocol(sheet, page.services);
  protocol.Open(page);  // an Images Per Second of 0 would be refused
  for (const int refused : {0, -1, 7}) {
    EXPECT_EQ(protocol.ChangePage(refused, page, page), 0) << refused;
  }
  EXPECT_TRUE(page.messages.empty());
  EXPECT_EQ(protocol.ChangePage(1, page, page), 0);  // the shown page refuses to go
  page.texts[kImagesPerSec] = "1";
  EXPECT_EQ(protocol.ChangePage(1, page, page), 1);
  EXPECT_EQ(protocol.ChangePage(0, page, page), 1);
}

}  // namespace
