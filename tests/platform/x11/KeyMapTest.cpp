#include "app/KeyMap.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace {

TEST(VirtualKeyFromKeysymTest, GivesTheWindowsCode) {
  // The last row: keysyms without a Windows key, and values no keysym has.
  // clang-format off
  const std::pair<unsigned long, std::uint32_t> keys[] = {
      {XK_a, 'A'}, {XK_p, 'P'}, {XK_z, 'Z'}, {XK_A, 'A'}, {XK_Z, 'Z'}, {XK_0, '0'}, {XK_9, '9'},
      {XK_space, 0x20}, {XK_KP_0, 0x60}, {XK_KP_9, 0x69}, {XK_F1, 0x70}, {XK_F10, 0x79},
      {XK_F12, 0x7B}, {XK_F24, 0x87}, {XK_Return, 0x0D}, {XK_KP_Enter, 0x0D}, {XK_Escape, 0x1B},
      {XK_Shift_R, 0x10}, {XK_Control_L, 0x11}, {XK_Alt_L, 0x12}, {XK_Left, 0x25},
      {XK_KP_Home, 0x24}, {XK_Delete, 0x2E}, {XK_KP_Add, 0x6B}, {XK_semicolon, 0xBA},
      {XK_bracketright, 0xDD}, {XK_less, 0xE2}, {XK_BackSpace, 0x08}, {XK_ISO_Left_Tab, 0x09},
      {XK_ISO_Level3_Shift, 0x12}, {XK_KP_Begin, 0x0C}, {XK_Scroll_Lock, 0x91}, {XK_grave, 0xC0},
      {XK_bracketleft, 0xDB},
      {XK_exclam, 0}, {XK_eacute, 0}, {0, 0}, {0xFFFFFFFFul, 0}};
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
      {XK_ampersand, XK_1, "AE01", true, '1'}, {XK_apostrophe, XK_4, "AE04", true, '4'},
      {XK_a, XK_A, "AD01", true, 'A'}, {XK_comma, XK_question, "AB07", true, 0xBC},
      {XK_aogonek, XK_Aogonek, "AE01", true, '1'}, {XK_udiaeresis, XK_Udiaeresis, "AD11", true, 0},
      // Russian and Greek: letters by their US position first.
      {XK_Cyrillic_ef, XK_Cyrillic_EF, "AC01", false, 'A'},
      {XK_Cyrillic_softsign, XK_Cyrillic_SOFTSIGN, "AB07", false, 'M'},
      {XK_Cyrillic_be, XK_Cyrillic_BE, "AB08", false, 0},
      {XK_period, XK_comma, "AB10", false, 0xBE},
      {XK_semicolon, XK_colon, "AD01", false, 'Q'}, {XK_3, XK_numerosign, "AE03", false, '3'},
      {XK_Cyrillic_ze, XK_Cyrillic_ZE, "AD10", false, 'P'},
      {XK_Cyrillic_e, XK_Cyrillic_E, "AE10", false, '0'},
      // Names of no letter or digit position.
      {XK_Cyrillic_ha, XK_Cyrillic_HA, "AD11", false, 0},
      {XK_Cyrillic_e, XK_Cyrillic_E, "AC10", false, 0}, {XK_Cyrillic_e, 0, "AE00", false, 0},
      {XK_Cyrillic_e, 0, "AX01", false, 0}, {XK_Cyrillic_e, 0, "AEx1", false, 0},
      {XK_Cyrillic_e, 0, "AE1x", false, 0}, {XK_Cyrillic_e, 0, "", false, 0}};
  // clang-format on
  for (const auto& key : keys) {
    EXPECT_EQ(VirtualKeyFromKey(key.plain, key.shifted, key.name, key.latinLayout), key.code)
        << key.name << " keysym 0x" << std::hex << key.plain;
  }
}

TEST(IsSystemKeyTest, AltCombinationsAltItselfAndF10) {
  // Ctrl+Alt is AltGr on many layouts: an ordinary key.
  EXPECT_EQ(std::tuple(IsSystemKey('P', true, false), IsSystemKey(vk::kMenu, false, false),
                       IsSystemKey(vk::kF10, false, false), IsSystemKey(vk::kF10, false, true),
                       IsSystemKey('P', false, false), IsSystemKey('P', false, true),
                       IsSystemKey('Q', true, true)),
            std::tuple(1, 1, 1, 1, 0, 0, 0));
}

}  // namespace
