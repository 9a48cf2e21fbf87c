#include "platform/unix/VirtualKeys.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <string_view>
#include <utility>

namespace {

// Keys whose codes do not follow from a range, the main keyboard's punctuation (Windows' OEM
// keys) last. X11's XK_ names stand for the same numbers as xkbcommon's.
// clang-format off
constexpr std::pair<unsigned long, std::uint32_t> kNamedKeys[] = {
    {XKB_KEY_BackSpace, 0x08},
    {XKB_KEY_Tab, 0x09},
    {XKB_KEY_ISO_Left_Tab, 0x09},
    {XKB_KEY_Clear, 0x0C},
    {XKB_KEY_Return, 0x0D},
    {XKB_KEY_KP_Enter, 0x0D},
    {XKB_KEY_Shift_L, 0x10},
    {XKB_KEY_Shift_R, 0x10},
    {XKB_KEY_Control_L, 0x11},
    {XKB_KEY_Control_R, 0x11},
    {XKB_KEY_Alt_L, 0x12},
    {XKB_KEY_Alt_R, 0x12},
    {XKB_KEY_Meta_L, 0x12},
    {XKB_KEY_Meta_R, 0x12},
    {XKB_KEY_ISO_Level3_Shift, 0x12},
    {XKB_KEY_Pause, 0x13},
    {XKB_KEY_Caps_Lock, 0x14},
    {XKB_KEY_Escape, 0x1B},
    {XKB_KEY_space, 0x20},
    {XKB_KEY_Prior, 0x21},
    {XKB_KEY_Next, 0x22},
    {XKB_KEY_End, 0x23},
    {XKB_KEY_Home, 0x24},
    {XKB_KEY_Left, 0x25},
    {XKB_KEY_Up, 0x26},
    {XKB_KEY_Right, 0x27},
    {XKB_KEY_Down, 0x28},
    {XKB_KEY_Select, 0x29},
    {XKB_KEY_Execute, 0x2B},
    {XKB_KEY_Print, 0x2C},
    {XKB_KEY_Insert, 0x2D},
    {XKB_KEY_Delete, 0x2E},
    {XKB_KEY_Help, 0x2F},
    {XKB_KEY_Super_L, 0x5B},
    {XKB_KEY_Super_R, 0x5C},
    {XKB_KEY_Menu, 0x5D},
    {XKB_KEY_KP_Multiply, 0x6A},
    {XKB_KEY_KP_Add, 0x6B},
    {XKB_KEY_KP_Separator, 0x6C},
    {XKB_KEY_KP_Subtract, 0x6D},
    {XKB_KEY_KP_Decimal, 0x6E},
    {XKB_KEY_KP_Divide, 0x6F},
    {XKB_KEY_KP_Home, 0x24},
    {XKB_KEY_KP_Left, 0x25},
    {XKB_KEY_KP_Up, 0x26},
    {XKB_KEY_KP_Right, 0x27},
    {XKB_KEY_KP_Down, 0x28},
    {XKB_KEY_KP_Prior, 0x21},
    {XKB_KEY_KP_Next, 0x22},
    {XKB_KEY_KP_End, 0x23},
    {XKB_KEY_KP_Begin, 0x0C},
    {XKB_KEY_KP_Insert, 0x2D},
    {XKB_KEY_KP_Delete, 0x2E},
    {XKB_KEY_Num_Lock, 0x90},
    {XKB_KEY_Scroll_Lock, 0x91},
    {XKB_KEY_semicolon, 0xBA},
    {XKB_KEY_equal, 0xBB},
    {XKB_KEY_comma, 0xBC},
    {XKB_KEY_minus, 0xBD},
    {XKB_KEY_period, 0xBE},
    {XKB_KEY_slash, 0xBF},
    {XKB_KEY_grave, 0xC0},
    {XKB_KEY_bracketleft, 0xDB},
    {XKB_KEY_backslash, 0xDC},
    {XKB_KEY_bracketright, 0xDD},
    {XKB_KEY_apostrophe, 0xDE},
    {XKB_KEY_less, 0xE2},
};
// clang-format on

// The vendors' private keypad keysyms, which Xlib counts as keypad keys too.
constexpr unsigned long kFirstPrivateKeypad = 0x11000000;
constexpr unsigned long kLastPrivateKeypad = 0x1100FFFF;

// The letter or digit codes of the US layout by XKB key name: the row's two letters, then
// its keys from column 01 on.
constexpr std::pair<std::string_view, std::string_view> kUsRows[] = {
    {"AE", "1234567890"},
    {"AD", "QWERTYUIOP"},
    {"AC", "ASDFGHJKL"},
    {"AB", "ZXCVBNM"},
};

std::uint32_t LetterOrDigit(unsigned long keysym) {
  if (keysym >= XKB_KEY_a && keysym <= XKB_KEY_z) {
    return static_cast<std::uint32_t>('A' + (keysym - XKB_KEY_a));
  }
  if (keysym >= XKB_KEY_A && keysym <= XKB_KEY_Z) {
    return static_cast<std::uint32_t>('A' + (keysym - XKB_KEY_A));
  }
  if (keysym >= XKB_KEY_0 && keysym <= XKB_KEY_9) {
    return static_cast<std::uint32_t>('0' + (keysym - XKB_KEY_0));
  }
  return vk::kNone;
}

std::uint32_t UsLetterOrDigit(std::string_view keyName) {
  if (keyName.size() != 4 || keyName[2] < '0' || keyName[2] > '9' || keyName[3] < '0' ||
      keyName[3] > '9') {
    return vk::kNone;
  }
  const std::size_t column = static_cast<std::size_t>((keyName[2] - '0') * 10 + keyName[3] - '0');
  for (const auto& [row, keys] : kUsRows) {
    if (keyName.substr(0, 2) == row && column >= 1 && column <= keys.size()) {
      return static_cast<std::uint32_t>(keys[column - 1]);
    }
  }
  return vk::kNone;
}

}  // namespace

std::uint32_t VirtualKeyOfPress(unsigned long plain, unsigned long shifted, unsigned long effective,
                                std::string_view keyName, bool latinLayout) {
  // The keypad's keysyms, and the vendors' private keypad keysyms.
  const bool keypad = (plain >= XKB_KEY_KP_Space && plain <= XKB_KEY_KP_Equal) ||
                      (plain >= kFirstPrivateKeypad && plain <= kLastPrivateKeypad);
  if (keypad) {
    return VirtualKeyFromKeysym(effective != 0 ? effective : plain);
  }
  return VirtualKeyFromKey(plain, shifted, keyName, latinLayout);
}

int IsLatinLetter(unsigned long keysym) {
  return LetterOrDigit(keysym) >= 'A' ? 1 : 0;
}

std::uint32_t VirtualKeyFromKey(unsigned long plain, unsigned long shifted,
                                std::string_view keyName, bool latinLayout) {
  for (const unsigned long keysym : {plain, shifted}) {
    if (const std::uint32_t code = LetterOrDigit(keysym)) {
      return code;
    }
  }
  const std::uint32_t own = VirtualKeyFromKeysym(plain);
  const std::uint32_t position = UsLetterOrDigit(keyName);
  if (latinLayout) {
    return own != vk::kNone ? own : position;
  }
  return position != vk::kNone ? position : own;
}

std::uint32_t VirtualKeyFromKeysym(unsigned long keysym) {
  if (const std::uint32_t code = LetterOrDigit(keysym)) {
    return code;
  }
  if (keysym >= XKB_KEY_KP_0 && keysym <= XKB_KEY_KP_9) {
    return vk::kNumpad0 + static_cast<std::uint32_t>(keysym - XKB_KEY_KP_0);
  }
  if (keysym >= XKB_KEY_F1 && keysym <= XKB_KEY_F24) {
    return vk::kF1 + static_cast<std::uint32_t>(keysym - XKB_KEY_F1);
  }
  for (const auto& [sym, code] : kNamedKeys) {
    if (sym == keysym) {
      return code;
    }
  }
  return vk::kNone;
}

int IsSystemKey(std::uint32_t virtualKey, bool altDown, bool controlDown) {
  if (virtualKey == vk::kF10) {
    return 1;
  }
  return (altDown || virtualKey == vk::kMenu) && !controlDown ? 1 : 0;
}
