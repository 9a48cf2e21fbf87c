#include "config/PageDisplay.h"

#include <gtest/gtest.h>

#include "FakePageControls.h"

namespace {

using namespace ControlIds;

constexpr const char* kParse = "Please enter a positive integer.";

class PageDisplayTest : public testing::Test {
 protected:
  // Types into the three boxes of a shown page and tries to leave it.
  int Leave(const std::string& size, const char* delay, const char* images) {
    page.OnSetActive(controls, fakes.services);
    controls.texts[kObjectSize] = size;
    controls.texts[kCompletionDelay] = delay;
    controls.texts[kImagesPerSec] = images;
    return page.OnKillActive(controls, fakes.services);
  }

  CPageDisplay page;
  CFakePageControls controls;
  CFakeServices fakes;
};

TEST_F(PageDisplayTest, ReportsOnlyTheFirstBadBox) {
  const struct {
    const char *size, *delay, *images;
    const char* message;  // "" when the page may be left
    int failingBox;
  } cases[] = {
      {"8", "1", "20", "", 0},
      {" 8 ", "\t1\t", "+20", "", 0},
      {"0", "0", "1", "", 0},
      {"500", "60", "1000", "", 0},
      {"-8", "1", "20", kParse, kObjectSize},
      {"8", "1x", "20", kParse, kCompletionDelay},
      {"8", "1", "0x14", kParse, kImagesPerSec},
      {"8", "1", "", kParse, kImagesPerSec},
      {"501", "1", "20", "Please enter an integer between 0 and 500.", kObjectSize},
      {"8", "61", "20", "Please enter an integer between 0 and 60.", kCompletionDelay},
      {"8", "1", "0", "Please enter an integer between 1 and 1000.", kImagesPerSec},
      {"8", "1", "1001", "Please enter an integer between 1 and 1000.", kImagesPerSec},
      {"8", "1", "4294967296", "Please enter an integer between 1 and 1000.", kImagesPerSec},
      // several wrong: Object Size, then Completion Delay, then Images Per Second
      {"x", "x", "x", kParse, kObjectSize},
      {"8", "99", "x", "Please enter an integer between 0 and 60.", kCompletionDelay},
      {"8", "-1", "0", kParse, kCompletionDelay}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.size) + "|" + c.delay + "|" + c.images);
    fakes.messages.shown.clear();
    controls.focus = controls.selected = 0;
    EXPECT_EQ(Leave(c.size, c.delay, c.images), *c.message == '\0' ? 1 : 0);
    EXPECT_EQ(std::pair(controls.focus, controls.selected), std::pair(c.failingBox, c.failingBox));
    if (*c.message == '\0') {
      EXPECT_TRUE(fakes.messages.shown.empty());
    } else {
      ASSERT_EQ(fakes.messages.shown.size(), 1u);
      EXPECT_EQ(fakes.messages.shown[0].text, c.message);
      EXPECT_EQ(fakes.messages.shown[0].caption, "spir_ss");
      EXPECT_EQ(fakes.messages.shown[0].icon, MessageIcon::kExclamation);
    }
  }
}

TEST_F(PageDisplayTest, BoxesBeforeTheFailingOneKeepTheirNewValues) {
  page.m_imagesPerSec = 20;
  EXPECT_EQ(Leave("12", "70", "30"), 0);
  EXPECT_EQ(page.m_objectSize, 12u);
  EXPECT_EQ(page.m_completionDelay, 70u);  // read, then refused by its range
  EXPECT_EQ(page.m_imagesPerSec, 20u);     // never read
  // Only the 31 first characters of a box are read.
  EXPECT_EQ(Leave("9" + std::string(30, ' ') + "junk", "1", "20"), 1);
  EXPECT_EQ(page.m_objectSize, 9u);
}

}  // namespace
