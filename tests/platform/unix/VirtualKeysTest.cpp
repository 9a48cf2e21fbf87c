#include "platform/unix/VirtualKeys.h"

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace {

TEST(VirtualKeyFromKeysymTest, GivesTheWindowsCode) {
  // The last row: keysyms without a Windows key, and values no keysym has.
  // clang-format off
  const std::pair<unsigned long, std::uint32_t> keys[] = {
      {XKB_KEY_a, 'A'}, {XKB_KEY_p, 'P'}, {XKB_KEY_z, 'Z'}, {XKB_KEY_A, 'A'}, {XKB_KEY_Z, 'Z'}, {XKB_KEY_0, '0'}, {XKB_KEY_9, '9'},
      {XKB_KEY_space, 0x20}, {XKB_KEY_KP_0, 0x60}, {XKB_KEY_KP_9, 0x69}, {XKB_KEY_F1, 0x70}, {XKB_KEY_F10, 0x79},
      {XKB_KEY_F12, 0x7B}, {XKB_KEY_F24, 0x87}, {XKB_KEY_Return, 0x0D}, {XKB_KEY_KP_Enter, 0x0D}, {XKB_KEY_Escape, 0x1B},
      {XKB_KEY_Shift_R, 0x10}, {XKB_KEY_Control_L, 0x11}, {XKB_KEY_Alt_L, 0x12}, {XKB_KEY_Left, 0x25},
      {XKB_KEY_KP_Home, 0x24}, {XKB_KEY_Delete, 0x2E}, {XKB_KEY_KP_Add, 0x6B}, {XKB_KEY_semicolon, 0xBA},
      {XKB_KEY_bracketright, 0xDD}, {XKB_KEY_less, 0xE2}, {XKB_KEY_BackSpace, 0x08}, {XKB_KEY_ISO_Left_Tab, 0x09},
      {XKB_KEY_ISO_Level3_Shift, 0x12}, {XKB_KEY_KP_Begin, 0x0C}, {XKB_KEY_Scroll_Lock, 0x91}, {XKB_KEY_grave, 0xC0},
      {XKB_KEY_bracketleft, 0xDB},
      {XKB_KEY_exclam, 0}, {XKB_KEY_eacute, 0}, {0, 0}, {0xFFFFFFFFul, 0}};
  // clang-format on
  for (const auto& [keysym, code] : keys) {
    EXPECT_EQ(VirtualKeyFromKeysym(keysym), code) << "keysym 0x" << std::hex << keysym;
  }
}

TEST(VirtualKeyFromKeyTest, NamesTheKeyAsAWindowsLayoutWould) {
  struct KeyOfLayout {
    unsigned long plain, shifted;
    const char* name;
    bool latinLayout;
    std::uint32_t code;
  };
  // clang-format off
  const KeyOfLayout keys[] = {
      // French: the digit on the shifted level, the letter where it is, punctuation keeps
      // its own code even at a US letter position; Lithuanian digits come from the position.
      {XKB_KEY_ampersand, XKB_KEY_1, "AE01", true, '1'}, {XKB_KEY_apostrophe, XKB_KEY_4, "AE04", true, '4'},
      {XKB_KEY_a, XKB_KEY_A, "AD01", true, 'A'}, {XKB_KEY_comma, XKB_KEY_question, "AB07", true, 0xBC},
      {XKB_KEY_aogonek, XKB_KEY_Aogonek, "AE01", true, '1'}, {XKB_KEY_udiaeresis, XKB_KEY_Udiaeresis, "AD11", true, 0},
      // Russian and Greek: letters by their US position first.
      {XKB_KEY_Cyrillic_ef, XKB_KEY_Cyrillic_EF, "AC01", false, 'A'},
      {XKB_KEY_Cyrillic_softsign, XKB_KEY_Cyrillic_SOFTSIGN, "AB07", false, 'M'},
      {XKB_KEY_Cyrillic_be, XKB_KEY_Cyrillic_BE, "AB08", false, 0},
      {XKB_KEY_period, XKB_KEY_comma, "AB10", false, 0xBE},
      {XKB_KEY_semicolon, XKB_KEY_colon, "AD01", false, 'Q'}, {XKB_KEY_3, XKB_KEY_numerosign, "AE03", false, '3'},
      {XKB_KEY_Cyrillic_ze, XKB_KEY_Cyrillic_ZE, "AD10", false, 'P'},
      {XKB_KEY_Cyrillic_shcha, XKB_KEY_Cyrillic_SHCHA, "AD09", false, 'O'},
      {XKB_KEY_Cyrillic_e, XKB_KEY_Cyrillic_E, "AE10", false, '0'},
      // Names of no letter or digit position.
      {XKB_KEY_Cyrillic_ha, XKB_KEY_Cyrillic_HA, "AD11", false, 0},
      {XKB_KEY_Cyrillic_e, XKB_KEY_Cyrillic_E, "AC10", false, 0}, {XKB_KEY_Cyrillic_e, 0, "AE00", false, 0},
      {XKB_KEY_Cyrillic_e, 0, "AX01", false, 0}, {XKB_KEY_Cyrillic_e, 0, "AEx1", false, 0},
      {XKB_KEY_Cyrillic_e, 0, "AE1x", false, 0}, {XKB_KEY_Cyrillic_e, 0, "", false, 0}};
  // clang-format on
  for (const auto& key : keys) {
    EXPECT_EQ(VirtualKeyFromKey(key.plain, key.shifted, key.name, key.latinLayout), key.code)
        << key.name << " keysym 0x" << std::hex << key.plain;
  }
}

TEST(VirtualKeyOfPressTest, FollowsNumLockOnTheKeypadOnly) {
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
      {XKB_KEY_KP_Equal, XKB_KEY_KP_Equal, XKB_KEY_equal, "KPEQ", true, 0xBB},
      {0x11000000, 0, XKB_KEY_KP_2, "KP2", true, 0x62},  // a vendor's private keypad key
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

TEST(IsLatinLetterTest, LettersOfEitherCaseAndNothingElse) {
  EXPECT_EQ(std::tuple(IsLatinLetter(XKB_KEY_a), IsLatinLetter(XKB_KEY_Z), IsLatinLetter(XKB_KEY_A),
                       IsLatinLetter(XKB_KEY_0), IsLatinLetter(XKB_KEY_Cyrillic_a)),
            std::tuple(1, 1, 1, 0, 0));
}

TEST(IsSystemKeyTest, AltCombinationsAltItselfAndF10) {
  // A key with Alt, with AltGr (Ctrl+Alt) and alone, and F10, are rows of the drawing window
  // core's input table.
  EXPECT_EQ(std::tuple(IsSystemKey(vk::kMenu, false, false), IsSystemKey(vk::kF10, false, true),
                       IsSystemKey('P', false, true)),
            std::tuple(1, 1, 0));
}

}  // namespace
