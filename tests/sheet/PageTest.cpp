#include <gtest/gtest.h>

#include <array>

#include "FakePageControls.h"
#include "sheet/PageDisplay.h"
#include "sheet/PageHotkeys.h"

namespace {

using namespace ControlIds;

constexpr const char* kParse = "Please enter a positive integer.|spir_ss|!";
constexpr const char* kSize = "Please enter an integer between 0 and 500.|spir_ss|!";
constexpr const char* kDelay = "Please enter an integer between 0 and 60.|spir_ss|!";
constexpr const char* kImages = "Please enter an integer between 1 and 1000.|spir_ss|!";
constexpr const char* kOneChar = "Please enter no more than 1 characters.|spir_ss|!";
constexpr const char* kUnique = "Active hotkeys must be unique ...|Error|stop";
constexpr const char* kNoDir = "Directory does not exist ...|Error|stop";

// A page shown, typed into and left: the Display page's boxes (Object Size, Completion Delay,
// Images Per Second) or the Hotkeys page's (pause key, screenshot key, location) with the two
// "Activate" boxes as bits 1 and 2; what the page says, and which box then has the focus.
TEST(PageTest, LeavingAPageChecksItsBoxesInOrderAndReportsTheFirstFault) {
  enum { kDisplay, kHotkeys };
  const std::string x31 = "9" + std::string(30, ' ') + "junk";  // a box reads 31 characters
  const struct {
    int page;
    std::string first, second, third;
    int active;
    const char* message;  // nullptr when the page may be left
    int focus;
  } cases[] = {{kDisplay, " 8 ", "\t59\t", "+1", 0, nullptr, 0},
               {kDisplay, "500", "60", "1000", 0, nullptr, 0},
               {kDisplay, "000", "0", x31, 0, nullptr, 0},
               {kDisplay, "+0", "0", "1", 0, kParse, kObjectSize},
               {kDisplay, "0", "-1", "1", 0, kParse, kCompletionDelay},
               {kDisplay, "0", "0", "", 0, kParse, kImagesPerSec},
               {kDisplay, "501", "0", "1", 0, kSize, kObjectSize},
               {kDisplay, "0", "61", "1", 0, kDelay, kCompletionDelay},
               {kDisplay, "0", "0", "0", 0, kImages, kImagesPerSec},
               {kDisplay, "0", "0", "4294967316", 0, kImages, kImagesPerSec},
               {kDisplay, "x", "x", "x", 0, kParse, kObjectSize},
               {kDisplay, "0", "99", "x", 0, kDelay, kCompletionDelay},
               {kHotkeys, "P", "P", "", 3, kUnique, kPrintKey},
               {kHotkeys, "p", "P", "", 3, nullptr, 0},  // the comparison is exact
               {kHotkeys, "P", "P", "", 1, nullptr, 0},  // an inactive key may repeat
               {kHotkeys, "", "", "/shots", 0, nullptr, 0},
               {kHotkeys, "", "", "/none", 0, kNoDir, kLocation},
               {kHotkeys, "", "", "/etc/passwd", 0, kNoDir, kLocation},
               {kHotkeys, "", "", "/secret/x", 0, nullptr, 0},  // failing otherwise passes
               {kHotkeys, "", "", "/none", 3, kUnique, kPrintKey},
               {kHotkeys, "P", "S", "/none", 3, kNoDir, kLocation},
               {kHotkeys, "\xC3\x89", "AB", "", 0, kOneChar, kPrintKey},
               {kHotkeys, "AB", "", "/none", 0, kOneChar, kPauseKey},
               {kHotkeys, "", "", std::string(256, 'd'), 0,
                "Please enter no more than 255 characters.|spir_ss|!", kLocation}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first + "|" + c.second + "|" + c.third + "|" + std::to_string(c.active));
    CPageDisplay display;
    CPageHotkeys hotkeys;
    CConfigPage& shown = c.page == kHotkeys ? static_cast<CConfigPage&>(hotkeys) : display;
    const auto ids = c.page == kHotkeys ? std::array{kPauseKey, kPrintKey, kLocation}
                                        : std::array{kObjectSize, kCompletionDelay, kImagesPerSec};
    CFakePage page;
    page.kinds = {{"/shots", PathKind::kDirectory},
                  {"/etc/passwd", PathKind::kNotDirectory},
                  {"/secret/x", PathKind::kLookupFailed}};
    shown.OnSetActive(page, page.services);
    page.texts = {{ids[0], c.first}, {ids[1], c.second}, {ids[2], c.third}};
    page.checks = {{kPauseActive, c.active & 1}, {kPrintActive, c.active >> 1}};
    EXPECT_EQ(shown.OnKillActive(page, page.services), c.message == nullptr ? 1 : 0);
    EXPECT_EQ(page.messages, c.message == nullptr ? std::vector<std::string>{}
                                                  : std::vector<std::string>{c.message});
    EXPECT_EQ(page.focus, c.focus);
  }
}

}  // namespace
