#include "app/KeyMap.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

// Keysyms are numbers here: X11's XK_ and xkbcommon's XKB_KEY_ names stand for the same
// values, and each display layer's tests check the tables by those names.

// Keys whose codes do not follow from a range.
constexpr std::array<std::pair<unsigned long, std::uint32_t>, 62> kNamedKeys{{
    {0xFF08, 0x08}, {0xFF09, 0x09}, {0xFE20, 0x09}, {0xFF0B, 0x0C}, {0xFF0D, 0x0D}, {0xFF8D, 0x0D},
    {0xFFE1, 0x10}, {0xFFE2, 0x10}, {0xFFE3, 0x11}, {0xFFE4, 0x11}, {0xFFE9, 0x12}, {0xFFEA, 0x12},
    {0xFFE7, 0x12}, {0xFFE8, 0x12}, {0xFE03, 0x12}, {0xFF13, 0x13}, {0xFFE5, 0x14}, {0xFF1B, 0x1B},
    {0x0020, 0x20}, {0xFF55, 0x21}, {0xFF56, 0x22}, {0xFF57, 0x23}, {0xFF50, 0x24}, {0xFF51, 0x25},
    {0xFF52, 0x26}, {0xFF53, 0x27}, {0xFF54, 0x28}, {0xFF60, 0x29}, {0xFF62, 0x2B}, {0xFF61, 0x2C},
    {0xFF63, 0x2D}, {0xFFFF, 0x2E}, {0xFF6A, 0x2F}, {0xFFEB, 0x5B}, {0xFFEC, 0x5C}, {0xFF67, 0x5D},
    {0xFFAA, 0x6A}, {0xFFAB, 0x6B}, {0xFFAC, 0x6C}, {0xFFAD, 0x6D}, {0xFFAE, 0x6E}, {0xFFAF, 0x6F},
    {0xFF95, 0x24}, {0xFF96, 0x25}, {0xFF97, 0x26}, {0xFF98, 0x27}, {0xFF99, 0x28}, {0xFF9A, 0x21},
    {0xFF9B, 0x22}, {0xFF9C, 0x23}, {0xFF9D, 0x0C}, {0xFF9E, 0x2D}, {0xFF9F, 0x2E}, {0xFF7F, 0x90},
    {0xFF14, 0x91}, {0x003B, 0xBA}, {0x003D, 0xBB}, {0x002C, 0xBC}, {0x002D, 0xBD}, {0x002E, 0xBE},
    {0x002F, 0xBF}, {0x0060, 0xC0},
}};

constexpr std::array<std::pair<unsigned long, std::uint32_t>, 5> kMoreOemKeys{{
    {0x005B, 0xDB},
    {0x005C, 0xDC},
    {0x005D, 0xDD},
    {0x0027, 0xDE},
    {0x003C, 0xE2},
}};

// The letter or digit codes of the US layout by XKB key name: the row's two letters, then
// its keys from column 01 on.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kUsRows{{
    {"AE", "1234567890"},
    {"AD", "QWERTYUIOP"},
    {"AC", "ASDFGHJKL"},
    {"AB", "ZXCVBNM"},
}};

std::uint32_t LetterOrDigit(unsigned long keysym) {
  if (keysym >= 0x0061 && keysym <= 0x007A) {
    return static_cast<std::uint32_t>('A' + (keysym - 0x0061));
  }
  if (keysym >= 0x0041 && keysym <= 0x005A) {
    return static_cast<std::uint32_t>('A' + (keysym - 0x0041));
  }
  if (keysym >= 0x0030 && keysym <= 0x0039) {
    return static_cast<std::uint32_t>('0' + (keysym - 0x0030));
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
  const bool keypad =
      (plain >= 0xFF80 && plain <= 0xFFBD) || (plain >= 0x11000000 && plain <= 0x1100FFFF);
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
  if (keysym >= 0xFFB0 && keysym <= 0xFFB9) {
    return vk::kNumpad0 + static_cast<std::uint32_t>(keysym - 0xFFB0);
  }
  if (keysym >= 0xFFBE && keysym <= 0xFFD5) {
    return vk::kF1 + static_cast<std::uint32_t>(keysym - 0xFFBE);
  }
  for (const auto& [sym, code] : kNamedKeys) {
    if (sym == keysym) {
      return code;
    }
  }
  for (const auto& [sym, code] : kMoreOemKeys) {
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
