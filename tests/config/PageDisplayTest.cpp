#include "config/PageDisplay.h"

#include <gtest/gtest.h>

#include "FakePageControls.h"

namespace {

using namespace ControlIds;

constexpr const char* kParse = "Please enter a positive integer.";

struct DisplayCase {
  const char* objectSize;
  const char* completionDelay;
  const char* imagesPerSec;
  const char* message;  // "" when the page may be left
  int failingBox;
  friend void PrintTo(const DisplayCase& c, std::ostream* os) {
    *os << '"' << c.objectSize << "\" \"" << c.completionDelay << "\" \"" << c.imagesPerSec << '"';
  }
};

class PageDisplayLeaveTest : public testing::TestWithParam<DisplayCase> {};

TEST_P(PageDisplayLeaveTest, ReportsOnlyTheFirstBadBox) {
  const DisplayCase& c = GetParam();
  CPageDisplay page;
  CFakePageControls controls;
  CFakeServices fakes;
  page.OnSetActive(controls, fakes.services);
  controls.texts[kObjectSize] = c.objectSize;
  controls.texts[kCompletionDelay] = c.completionDelay;
  controls.texts[kImagesPerSec] = c.imagesPerSec;

  const int left = page.OnKillActive(controls, fakes.services);

  if (*c.message == '\0') {
    EXPECT_EQ(left, 1);
    EXPECT_TRUE(fakes.messages.shown.empty());
    return;
  }
  EXPECT_EQ(left, 0);
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(fakes.messages.shown[0].text, c.message);
  EXPECT_EQ(fakes.messages.shown[0].caption, "spir_ss");
  EXPECT_EQ(fakes.messages.shown[0].icon, MessageIcon::kExclamation);
  EXPECT_EQ(controls.focus, c.failingBox);
  EXPECT_EQ(controls.selected, c.failingBox);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, PageDisplayLeaveTest,
    testing::Values(
        DisplayCase{"8", "1", "20", "", 0}, DisplayCase{" 8 ", "\t1\t", "+20", "", 0},
        DisplayCase{"0", "0", "1", "", 0}, DisplayCase{"500", "60", "1000", "", 0},
        DisplayCase{"-8", "1", "20", kParse, kObjectSize},
        DisplayCase{"8", "1x", "20", kParse, kCompletionDelay},
        DisplayCase{"8", "1", "0x14", kParse, kImagesPerSec},
        DisplayCase{"8", "1", "", kParse, kImagesPerSec},
        DisplayCase{"501", "1", "20", "Please enter an integer between 0 and 500.", kObjectSize},
        DisplayCase{"8", "61", "20", "Please enter an integer between 0 and 60.", kCompletionDelay},
        DisplayCase{"8", "1", "0", "Please enter an integer between 1 and 1000.", kImagesPerSec},
        DisplayCase{"8", "1", "1001", "Please enter an integer between 1 and 1000.", kImagesPerSec},
        DisplayCase{"8", "1", "4294967296", "Please enter an integer between 1 and 1000.",
                    kImagesPerSec},
        // several wrong: Object Size, then Completion Delay, then Images Per Second
        DisplayCase{"x", "x", "x", kParse, kObjectSize},
        DisplayCase{"8", "99", "x", "Please enter an integer between 0 and 60.", kCompletionDelay},
        DisplayCase{"8", "-1", "0", kParse, kCompletionDelay}));

TEST(PageDisplayTest, BoxesBeforeTheFailingOneKeepTheirNewValues) {
  CPageDisplay page;
  page.m_objectSize = 8;
  page.m_completionDelay = 1;
  page.m_imagesPerSec = 20;
  CFakePageControls controls;
  CFakeServices fakes;
  page.OnSetActive(controls, fakes.services);
  controls.texts[kObjectSize] = "12";
  controls.texts[kCompletionDelay] = "70";
  controls.texts[kImagesPerSec] = "30";
  EXPECT_EQ(page.OnKillActive(controls, fakes.services), 0);
  EXPECT_EQ(page.m_objectSize, 12u);
  EXPECT_EQ(page.m_completionDelay, 70u);  // read, then refused by its range
  EXPECT_EQ(page.m_imagesPerSec, 20u);     // never read
}

TEST(PageDisplayTest, ReadsOnlyThe31FirstCharactersOfABox) {
  CPageDisplay page;
  CFakePageControls controls;
  CFakeServices fakes;
  page.OnSetActive(controls, fakes.services);
  controls.texts[kObjectSize] = "9" + std::string(30, ' ') + "junk";
  controls.texts[kCompletionDelay] = "1";
  controls.texts[kImagesPerSec] = "20";
  EXPECT_EQ(page.OnKillActive(controls, fakes.services), 1);
  EXPECT_EQ(page.m_objectSize, 9u);
}

}  // namespace
