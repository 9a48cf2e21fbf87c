#include "app/SaverInput.h"

#include <gtest/gtest.h>

namespace {

// The saver window tests pin the pause key, one key for both and a plain key; these are
// the near misses.

TEST(ClassifyKeyDownTest, DecidesByExactOneCharacterMatch) {
  struct Case {
    int printingActive;
    const char* printingKey;
    int pausingActive;
    const char* pausingKey;
    std::uint32_t virtualKey;
    KeyAction expected;
  };
  constexpr KeyAction kClose = KeyAction::kClose;
  constexpr KeyAction kShot = KeyAction::kScreenshot;
  constexpr KeyAction kPause = KeyAction::kTogglePause;
  for (const Case& c : {
           Case{0, "", 0, "", 'P', kClose}, Case{0, "", 0, "P", 'P', kClose},
           Case{1, "S", 0, "", 'S', kShot}, Case{0, "S", 0, "", 'S', kClose},
           Case{1, "S", 1, "P", 'P', kPause}, Case{1, "", 1, "", 0, kClose},
           Case{1, "", 1, "", 'A', kClose},
           // Letter codes are upper case, so a lower-case string never matches.
           Case{1, "s", 1, "p", 'P', kClose}, Case{1, "SS", 1, "PP", 'S', kClose},
           Case{0, "", 1, "5", '5', kPause},
           Case{0, "", 1, "5", 0x65, kClose},  // VK_NUMPAD5 is the character 'e', not '5'
           Case{1, "S", 0, "", 0x153, kShot},  // only the low byte of the code counts
       }) {
    SaverSettings settings;
    settings.m_printingActive = c.printingActive;
    settings.m_printingKey = c.printingKey;
    settings.m_pausingActive = c.pausingActive;
    settings.m_pausingKey = c.pausingKey;
    EXPECT_EQ(ClassifyKeyDown(settings, c.virtualKey), c.expected)
        << c.printingKey << "/" << c.pausingKey << " " << c.virtualKey;
  }
}

}  // namespace
