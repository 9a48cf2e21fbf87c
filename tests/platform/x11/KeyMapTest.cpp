#include "platform/x11/KeyMap.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace {

struct KeyCase {
  unsigned long keysym;
  std::uint32_t code;
};

class VirtualKeyFromKeysymTest : public testing::TestWithParam<KeyCase> {};

TEST_P(VirtualKeyFromKeysymTest, GivesTheWindowsCode) {
  EXPECT_EQ(VirtualKeyFromKeysym(GetParam().keysym), GetParam().code)
      << "keysym 0x" << std::hex << GetParam().keysym;
}

INSTANTIATE_TEST_SUITE_P(
    Table, VirtualKeyFromKeysymTest,
    testing::Values(
        KeyCase{XK_a, 'A'}, KeyCase{XK_p, 'P'}, KeyCase{XK_z, 'Z'}, KeyCase{XK_A, 'A'},
        KeyCase{XK_Z, 'Z'}, KeyCase{XK_0, '0'}, KeyCase{XK_9, '9'}, KeyCase{XK_space, 0x20},
        KeyCase{XK_KP_0, 0x60}, KeyCase{XK_KP_9, 0x69}, KeyCase{XK_F1, 0x70}, KeyCase{XK_F10, 0x79},
        KeyCase{XK_F12, 0x7B}, KeyCase{XK_F24, 0x87}, KeyCase{XK_Return, 0x0D},
        KeyCase{XK_KP_Enter, 0x0D}, KeyCase{XK_Escape, 0x1B}, KeyCase{XK_Shift_R, 0x10},
        KeyCase{XK_Control_L, 0x11}, KeyCase{XK_Alt_L, 0x12}, KeyCase{XK_Left, 0x25},
        KeyCase{XK_KP_Home, 0x24}, KeyCase{XK_Delete, 0x2E}, KeyCase{XK_KP_Add, 0x6B},
        KeyCase{XK_semicolon, 0xBA}, KeyCase{XK_bracketright, 0xDD}, KeyCase{XK_less, 0xE2},
        // Keysyms without a Windows key, and values no keysym has.
        KeyCase{XK_exclam, 0}, KeyCase{XK_eacute, 0}, KeyCase{0, 0}, KeyCase{0xFFFFFFFFul, 0}));

struct KeyOfLayoutCase {
  unsigned long plain;
  unsigned long shifted;
  const char* name;
  bool latinLayout;
  std::uint32_t code;
};

class VirtualKeyFromKeyTest : public testing::TestWithParam<KeyOfLayoutCase> {};

TEST_P(VirtualKeyFromKeyTest, NamesTheKeyAsAWindowsLayoutWould) {
  const KeyOfLayoutCase& key = GetParam();
  EXPECT_EQ(VirtualKeyFromKey(key.plain, key.shifted, key.name, key.latinLayout), key.code)
      << key.name << " keysym 0x" << std::hex << key.plain;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, VirtualKeyFromKeyTest,
    testing::Values(
        // French: the digit on the shifted level, the letter where it is, punctuation keeps
        // its own code even at a US letter position; Lithuanian digits come from the position.
        KeyOfLayoutCase{XK_ampersand, XK_1, "AE01", true, '1'},
        KeyOfLayoutCase{XK_apostrophe, XK_4, "AE04", true, '4'},
        KeyOfLayoutCase{XK_a, XK_A, "AD01", true, 'A'},
        KeyOfLayoutCase{XK_comma, XK_question, "AB07", true, 0xBC},
        KeyOfLayoutCase{XK_aogonek, XK_Aogonek, "AE01", true, '1'},
        KeyOfLayoutCase{XK_udiaeresis, XK_Udiaeresis, "AD11", true, 0},
        // Russian and Greek: letters by their US position first.
        KeyOfLayoutCase{XK_Cyrillic_ef, XK_Cyrillic_EF, "AC01", false, 'A'},
        KeyOfLayoutCase{XK_Cyrillic_softsign, XK_Cyrillic_SOFTSIGN, "AB07", false, 'M'},
        KeyOfLayoutCase{XK_Cyrillic_be, XK_Cyrillic_BE, "AB08", false, 0},
        KeyOfLayoutCase{XK_period, XK_comma, "AB10", false, 0xBE},
        KeyOfLayoutCase{XK_semicolon, XK_colon, "AD01", false, 'Q'},
        KeyOfLayoutCase{XK_3, XK_numerosign, "AE03", false, '3'},
        KeyOfLayoutCase{XK_Cyrillic_ze, XK_Cyrillic_ZE, "AD10", false, 'P'},
        KeyOfLayoutCase{XK_Cyrillic_e, XK_Cyrillic_E, "AE10", false, '0'},
        // Names of no letter or digit position.
        KeyOfLayoutCase{XK_Cyrillic_ha, XK_Cyrillic_HA, "AD11", false, 0},
        KeyOfLayoutCase{XK_Cyrillic_e, XK_Cyrillic_E, "AC10", false, 0},
        KeyOfLayoutCase{XK_Cyrillic_e, XK_Cyrillic_E, "AE00", false, 0},
        KeyOfLayoutCase{XK_Cyrillic_e, XK_Cyrillic_E, "AX01", false, 0},
        KeyOfLayoutCase{XK_Cyrillic_e, XK_Cyrillic_E, "AEx1", false, 0},
        KeyOfLayoutCase{XK_Cyrillic_e, XK_Cyrillic_E, "AE1x", false, 0},
        KeyOfLayoutCase{XK_Cyrillic_e, XK_Cyrillic_E, "", false, 0}));

TEST(IsLatinLetterTest, LettersOnly) {
  EXPECT_EQ(IsLatinLetter(XK_a) + IsLatinLetter(XK_Z), 2);
  EXPECT_EQ(IsLatinLetter(XK_9) + IsLatinLetter(XK_Cyrillic_a) + IsLatinLetter(XK_at), 0);
}

TEST(IsSystemKeyTest, AltCombinationsAltItselfAndF10) {
  EXPECT_EQ(IsSystemKey('P', true, false), 1);
  EXPECT_EQ(IsSystemKey(vk::kMenu, false, false), 1);
  EXPECT_EQ(IsSystemKey(vk::kF10, false, false), 1);
  EXPECT_EQ(IsSystemKey(vk::kF10, false, true), 1);
  EXPECT_EQ(IsSystemKey('P', false, false), 0);
  EXPECT_EQ(IsSystemKey('P', false, true), 0);
  // Ctrl+Alt is AltGr on many layouts: an ordinary key.
  EXPECT_EQ(IsSystemKey('Q', true, true), 0);
}

}  // namespace
