// The shared key tables hold keysyms as numbers; here they meet xkbcommon's names, as the
// X11 tests meet Xlib's.
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include "app/KeyMap.h"

namespace {

TEST(XkbKeysymsTest, NamedKeysAndRangesGiveTheWindowsCode) {
  // clang-format off
  const std::pair<unsigned long, std::uint32_t> keys[] = {
      {XKB_KEY_a, 'A'}, {XKB_KEY_Z, 'Z'}, {XKB_KEY_0, '0'}, {XKB_KEY_9, '9'},
      {XKB_KEY_KP_0, 0x60}, {XKB_KEY_KP_9, 0x69}, {XKB_KEY_F1, 0x70}, {XKB_KEY_F24, 0x87},
      {XKB_KEY_BackSpace, 0x08}, {XKB_KEY_ISO_Left_Tab, 0x09}, {XKB_KEY_Return, 0x0D},
      {XKB_KEY_Escape, 0x1B}, {XKB_KEY_ISO_Level3_Shift, 0x12}, {XKB_KEY_Delete, 0x2E},
      {XKB_KEY_KP_Begin, 0x0C}, {XKB_KEY_Scroll_Lock, 0x91}, {XKB_KEY_grave, 0xC0},
      {XKB_KEY_bracketleft, 0xDB}, {XKB_KEY_less, 0xE2}, {XKB_KEY_eacute, 0}};
  // clang-format on
  for (const auto& [keysym, code] : keys) {
    EXPECT_EQ(VirtualKeyFromKeysym(keysym), code) << "keysym 0x" << std::hex << keysym;
  }
}

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
