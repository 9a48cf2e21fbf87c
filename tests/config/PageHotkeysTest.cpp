#include "config/PageHotkeys.h"

#include <gtest/gtest.h>

#include "FakePageControls.h"

namespace {

using namespace ControlIds;

constexpr const char* kUnique = "Active hotkeys must be unique ...";
constexpr const char* kNoDir = "Directory does not exist ...";
constexpr const char* kOneChar = "Please enter no more than 1 characters.";

class PageHotkeysTest : public testing::Test {
 protected:
  PageHotkeysTest() { page.m_location = "/old"; }

  CPageHotkeys page;
  CFakePageControls controls;
  CFakeServices fakes;
};

TEST_F(PageHotkeysTest, LeavingChecksTextsThenUniqueKeysThenTheFolder) {
  const std::string longFolder(256, 'd');
  const struct {
    int pauseActive, printActive;
    const char *pauseKey, *printKey;
    std::string location;
    PathKind kind;  // what the file system holds under the location
    const char *message, *caption;
    int focus;
  } cases[] = {{0, 0, "", "", "", PathKind::kMissing, "", "", 0},
               {1, 1, "P", "S", "", PathKind::kMissing, "", "", 0},
               {1, 1, "P", "P", "", PathKind::kMissing, kUnique, "Error", kPrintKey},
               {1, 1, "", "", "", PathKind::kMissing, kUnique, "Error", kPrintKey},
               {1, 1, "p", "P", "", PathKind::kMissing, "", "", 0},  // the comparison is exact
               // an inactive hotkey may share the other's key
               {1, 0, "P", "P", "", PathKind::kMissing, "", "", 0},
               {0, 1, "", "", "", PathKind::kMissing, "", "", 0},
               {0, 0, "", "", "/shots", PathKind::kDirectory, "", "", 0},
               {0, 0, "", "", "/shots", PathKind::kMissing, kNoDir, "Error", kLocation},
               {0, 0, "", "", "/etc/passwd", PathKind::kNotDirectory, kNoDir, "Error", kLocation},
               {0, 0, "", "", "/secret/x", PathKind::kLookupFailed, "", "", 0},
               // the key check comes before the folder check
               {1, 1, "A", "A", "/none", PathKind::kMissing, kUnique, "Error", kPrintKey},
               {1, 1, "A", "B", "/none", PathKind::kMissing, kNoDir, "Error", kLocation},
               // text limits come first of all; they count characters, not bytes
               {0, 0, "AB", "", "", PathKind::kMissing, kOneChar, "spir_ss", kPauseKey},
               {1, 1, "A", "BC", "/none", PathKind::kMissing, kOneChar, "spir_ss", kPrintKey},
               {0, 0, "", "", longFolder, PathKind::kDirectory,
                "Please enter no more than 255 characters.", "spir_ss", kLocation},
               {0, 0, "\xC3\x89", "", "", PathKind::kMissing, "", "", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.pauseActive) + std::to_string(c.printActive) + " " + c.pauseKey +
                 "|" + c.printKey + "|" + c.location.substr(0, 20));
    CFakeServices local;
    local.paths.kinds[c.location] = c.kind;
    controls.focus = 0;
    page.OnSetActive(controls, local.services);
    controls.checks[kPauseActive] = c.pauseActive;
    controls.checks[kPrintActive] = c.printActive;
    controls.texts[kPauseKey] = c.pauseKey;
    controls.texts[kPrintKey] = c.printKey;
    controls.texts[kLocation] = c.location;
    EXPECT_EQ(page.OnKillActive(controls, local.services), *c.message == '\0' ? 1 : 0);
    EXPECT_EQ(controls.focus, c.focus);
    if (*c.message == '\0') {
      EXPECT_TRUE(local.messages.shown.empty());
      EXPECT_EQ(page.m_pauseKey, c.pauseKey);
    } else {
      ASSERT_EQ(local.messages.shown.size(), 1u);
      EXPECT_EQ(local.messages.shown[0].text, c.message);
      EXPECT_EQ(local.messages.shown[0].caption, c.caption);
      EXPECT_EQ(local.messages.shown[0].icon,
                std::string(c.caption) == "Error" ? MessageIcon::kStop : MessageIcon::kExclamation);
    }
  }
}

TEST_F(PageHotkeysTest, LoadShowsALongStoredKeyWholeAndLimitsTyping) {
  page.m_pauseKey = "XYZ";
  page.OnSetActive(controls, fakes.services);
  EXPECT_EQ(controls.texts[kPauseKey], "XYZ");
  EXPECT_EQ(controls.texts[kLocation], "/old");
  EXPECT_EQ(controls.limits,
            (std::map<int, int>{{kPauseKey, 1}, {kPrintKey, 1}, {kLocation, 255}}));
}

TEST_F(PageHotkeysTest, BrowseStartsInTheBoxFolderAndShowsTheChosenOne) {
  fakes.folders.result = kFolderChosen;
  fakes.folders.chosen = "/chosen";
  page.OnSetActive(controls, fakes.services);
  controls.texts[kLocation] = "/typed";
  page.OnCommand(kBrowse, controls, fakes.services);
  EXPECT_EQ(fakes.folders.startedIn, "/typed");
  EXPECT_EQ(page.m_location, "/chosen");
  EXPECT_EQ(controls.texts[kLocation], "/chosen");
  EXPECT_TRUE(fakes.paths.probed.empty());  // checked only when the page is left
  // With an overlong key the browse reports it and starts in the folder last accepted.
  controls.texts[kPauseKey] = "AB";
  controls.texts[kLocation] = "/typed";
  page.OnCommand(kBrowse, controls, fakes.services);
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(fakes.messages.shown[0].text, kOneChar);
  EXPECT_EQ(fakes.folders.startedIn, "/chosen");
}

}  // namespace
