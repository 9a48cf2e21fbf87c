#include "app/SaverInput.h"

#include <gtest/gtest.h>

namespace {

TEST(MouseMoveClosesTest, FirstReportAtMinusOneStaysUnrecorded) {
  // (-1, -1) is the "nothing yet" mark, so a report there records nothing new and the next
  // report is taken as the first.
  std::int32_t x = kNoMousePosition;
  std::int32_t y = kNoMousePosition;
  EXPECT_EQ(MouseMoveCloses(x, y, -1, -1), 0);
  EXPECT_EQ(MouseMoveCloses(x, y, 5, 5), 0);
  EXPECT_EQ(MouseMoveCloses(x, y, 5, 6), 1);
}

struct KeyCase {
  const char* name;
  int printingActive;
  std::string printingKey;
  int pausingActive;
  std::string pausingKey;
  std::uint32_t virtualKey;
  KeyAction expected;
};

class ClassifyKeyDownTest : public testing::TestWithParam<KeyCase> {};

TEST_P(ClassifyKeyDownTest, DecidesByExactOneCharacterMatch) {
  const KeyCase& c = GetParam();
  SaverSettings settings;
  settings.m_printingActive = c.printingActive;
  settings.m_printingKey = c.printingKey;
  settings.m_pausingActive = c.pausingActive;
  settings.m_pausingKey = c.pausingKey;
  EXPECT_EQ(ClassifyKeyDown(settings, c.virtualKey), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ClassifyKeyDownTest,
    testing::Values(
        KeyCase{"NoHotkeys", 0, "", 0, "", 'P', KeyAction::kClose},
        KeyCase{"PauseKey", 0, "", 1, "P", 'P', KeyAction::kTogglePause},
        KeyCase{"OtherKeyWhilePauseActive", 0, "", 1, "P", 'Q', KeyAction::kClose},
        KeyCase{"InactivePauseKey", 0, "", 0, "P", 'P', KeyAction::kClose},
        KeyCase{"ScreenshotKey", 1, "S", 0, "", 'S', KeyAction::kScreenshot},
        KeyCase{"InactiveScreenshotKey", 0, "S", 0, "", 'S', KeyAction::kClose},
        KeyCase{"BothOnOneKeyTakesScreenshots", 1, "K", 1, "K", 'K', KeyAction::kScreenshot},
        KeyCase{"BothActiveDifferentKeys", 1, "S", 1, "P", 'P', KeyAction::kTogglePause},
        KeyCase{"EmptyKeyStringNeverMatches", 1, "", 1, "", 0, KeyAction::kClose},
        KeyCase{"EmptyKeyStringAnyKey", 1, "", 1, "", 'A', KeyAction::kClose},
        // Virtual-key codes of letters are upper case, so a lower-case string never matches.
        KeyCase{"LowerCaseStringNeverMatches", 1, "s", 1, "p", 'P', KeyAction::kClose},
        KeyCase{"TwoCharacterStringNeverMatches", 1, "SS", 1, "PP", 'S', KeyAction::kClose},
        KeyCase{"DigitKey", 0, "", 1, "5", '5', KeyAction::kTogglePause},
        // VK_NUMPAD5 (0x65) is the character 'e', not '5'.
        KeyCase{"KeypadDigitIsNotTheDigit", 0, "", 1, "5", 0x65, KeyAction::kClose},
        KeyCase{"SpaceKey", 1, " ", 0, "", 0x20, KeyAction::kScreenshot},
        // Only the low byte of the code is compared.
        KeyCase{"LowByteOnly", 1, "S", 0, "", 0x153, KeyAction::kScreenshot}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

}  // namespace
