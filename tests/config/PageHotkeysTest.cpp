#include "config/PageHotkeys.h"

#include <gtest/gtest.h>

#include "FakePageControls.h"

namespace {

using namespace ControlIds;

constexpr const char* kUnique = "Active hotkeys must be unique ...";
constexpr const char* kNoDir = "Directory does not exist ...";
constexpr const char* kOneChar = "Please enter no more than 1 characters.";

struct HotkeysCase {
  int pauseActive;
  int printActive;
  const char* pauseKey;
  const char* printKey;
  const char* location;
  PathKind kind;  // what the file system holds under the location
  const char* message;
  const char* caption;
  int focus;
  friend void PrintTo(const HotkeysCase& c, std::ostream* os) {
    *os << c.pauseActive << c.printActive << " \"" << c.pauseKey << "\" \"" << c.printKey << "\" "
        << std::string(c.location).substr(0, 20);
  }
};

class PageHotkeysLeaveTest : public testing::TestWithParam<HotkeysCase> {};

TEST_P(PageHotkeysLeaveTest, ChecksTextsThenUniqueKeysThenTheFolder) {
  const HotkeysCase& c = GetParam();
  CPageHotkeys page;
  CFakePageControls controls;
  CFakeServices fakes;
  fakes.paths.kinds[c.location] = c.kind;
  page.OnSetActive(controls, fakes.services);
  controls.checks[kPauseActive] = c.pauseActive;
  controls.checks[kPrintActive] = c.printActive;
  controls.texts[kPauseKey] = c.pauseKey;
  controls.texts[kPrintKey] = c.printKey;
  controls.texts[kLocation] = c.location;

  const int left = page.OnKillActive(controls, fakes.services);

  if (*c.message == '\0') {
    EXPECT_EQ(left, 1);
    EXPECT_TRUE(fakes.messages.shown.empty());
    return;
  }
  EXPECT_EQ(left, 0);
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(fakes.messages.shown[0].text, c.message);
  EXPECT_EQ(fakes.messages.shown[0].caption, c.caption);
  EXPECT_EQ(fakes.messages.shown[0].icon,
            std::string(c.caption) == "Error" ? MessageIcon::kStop : MessageIcon::kExclamation);
  EXPECT_EQ(controls.focus, c.focus);
}

const std::string kLongFolder(256, 'd');

INSTANTIATE_TEST_SUITE_P(
    Cases, PageHotkeysLeaveTest,
    testing::Values(
        HotkeysCase{0, 0, "", "", "", PathKind::kMissing, "", "", 0},
        HotkeysCase{1, 1, "P", "S", "", PathKind::kMissing, "", "", 0},
        HotkeysCase{1, 1, "P", "P", "", PathKind::kMissing, kUnique, "Error", kPrintKey},
        HotkeysCase{1, 1, "", "", "", PathKind::kMissing, kUnique, "Error", kPrintKey},
        // the comparison is exact
        HotkeysCase{1, 1, "p", "P", "", PathKind::kMissing, "", "", 0},
        // an inactive hotkey may share the other's key
        HotkeysCase{1, 0, "P", "P", "", PathKind::kMissing, "", "", 0},
        HotkeysCase{0, 1, "", "", "", PathKind::kMissing, "", "", 0},
        HotkeysCase{0, 0, "", "", "/shots", PathKind::kDirectory, "", "", 0},
        HotkeysCase{0, 0, "", "", "/shots", PathKind::kMissing, kNoDir, "Error", kLocation},
        HotkeysCase{0, 0, "", "", "/etc/passwd", PathKind::kNotDirectory, kNoDir, "Error",
                    kLocation},
        HotkeysCase{0, 0, "", "", "/secret/x", PathKind::kLookupFailed, "", "", 0},
        // the key check comes before the folder check
        HotkeysCase{1, 1, "A", "A", "/none", PathKind::kMissing, kUnique, "Error", kPrintKey},
        HotkeysCase{1, 1, "A", "B", "/none", PathKind::kMissing, kNoDir, "Error", kLocation},
        // text limits come first of all
        HotkeysCase{0, 0, "AB", "", "", PathKind::kMissing, kOneChar, "spir_ss", kPauseKey},
        HotkeysCase{1, 1, "A", "BC", "/none", PathKind::kMissing, kOneChar, "spir_ss", kPrintKey},
        HotkeysCase{0, 0, "", "", kLongFolder.c_str(), PathKind::kDirectory,
                    "Please enter no more than 255 characters.", "spir_ss", kLocation}));

TEST(PageHotkeysTest, LoadShowsALongStoredKeyWholeAndLimitsTyping) {
  CPageHotkeys page;
  page.m_pauseKey = "XYZ";
  page.m_location = "/tmp";
  CFakePageControls controls;
  CFakeServices fakes;
  page.OnSetActive(controls, fakes.services);
  EXPECT_EQ(controls.texts[kPauseKey], "XYZ");
  EXPECT_EQ(controls.limits[kPauseKey], 1);
  EXPECT_EQ(controls.limits[kPrintKey], 1);
  EXPECT_EQ(controls.limits[kLocation], 255);
  EXPECT_EQ(controls.texts[kLocation], "/tmp");
}

TEST(PageHotkeysTest, LimitCountsCharactersNotBytes) {
  CPageHotkeys page;
  CFakePageControls controls;
  CFakeServices fakes;
  page.OnSetActive(controls, fakes.services);
  controls.texts[kPauseKey] = "\xC3\x89";  // É
  EXPECT_EQ(page.OnKillActive(controls, fakes.services), 1);
  EXPECT_EQ(page.m_pauseKey, "\xC3\x89");
}

TEST(PageHotkeysTest, BrowseStartsInTheBoxFolderAndShowsTheChosenOne) {
  CPageHotkeys page;
  page.m_location = "/old";
  CFakePageControls controls;
  CFakeServices fakes;
  fakes.folders.result = kFolderChosen;
  fakes.folders.chosen = "/chosen";
  page.OnSetActive(controls, fakes.services);
  controls.texts[kLocation] = "/typed";
  page.OnCommand(kBrowse, controls, fakes.services);
  EXPECT_EQ(fakes.folders.startedIn, "/typed");
  EXPECT_EQ(page.m_location, "/chosen");
  EXPECT_EQ(controls.texts[kLocation], "/chosen");
  EXPECT_TRUE(fakes.paths.probed.empty());  // checked only when the page is left
}

TEST(PageHotkeysTest, BrowseWithAnOverlongKeyReportsItAndStartsInTheOldFolder) {
  CPageHotkeys page;
  page.m_location = "/old";
  CFakePageControls controls;
  CFakeServices fakes;
  page.OnSetActive(controls, fakes.services);
  controls.texts[kPauseKey] = "AB";
  controls.texts[kLocation] = "/typed";
  page.OnCommand(kBrowse, controls, fakes.services);
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(fakes.messages.shown[0].text, kOneChar);
  EXPECT_EQ(fakes.folders.startedIn, "/old");
}

}  // namespace
