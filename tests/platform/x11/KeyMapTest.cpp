#include "platform/x11/KeyMap.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <string>

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
