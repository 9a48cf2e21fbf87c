// The key of a Wayland press: xkbcommon gives the keysym the modifiers make of it, too.
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include "app/KeyMap.h"

namespace {

TEST(XkbKeysymsTest, ThePressOfAKeyFollowsNumLockOnTheKeypadOnly) {
  struct Press {
    unsigned long plain, shifted, effective;
    const char* name;
    bool latin;
    std::uint32_t code;
  };
  const Press presses[] = {
      // Keypad 1: End without Num Lock, the digit with it.
      {XKB_KEY_KP_End, XKB_KEY_KP_1, XKB_KEY_KP_End, "KP1", true, 0x23},
      {XKB_KEY_KP_End, XKB_KEY_KP_1, XKB_KEY_KP_1, "KP1", true, 0x61},
      {XKB_KEY_KP_End, XKB_KEY_KP_1, 0, "KP1", true, 0x23},
      // Elsewhere the position rules hold whatever the modifiers make of the key.
      {XKB_KEY_Cyrillic_ef, XKB_KEY_Cyrillic_EF, XKB_KEY_Cyrillic_EF, "AC01", false, 'A'},
      {XKB_KEY_ampersand, XKB_KEY_1, XKB_KEY_1, "AE01", true, '1'},
      {XKB_KEY_q, XKB_KEY_Q, XKB_KEY_Escape, "AD01", true, 'Q'}};
  for (const Press& press : presses) {
    EXPECT_EQ(
        VirtualKeyOfPress(press.plain, press.shifted, press.effective, press.name, press.latin),
        press.code)
        << press.name << " effective 0x" << std::hex << press.effective;
  }
}

}  // namespace
