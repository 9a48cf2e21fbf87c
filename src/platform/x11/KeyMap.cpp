#include "platform/x11/KeyMap.h"

#include <X11/keysym.h>

#include <array>
#include <string_view>
#include <utility>

namespace {

// Keys whose codes do not follow from a range.
constexpr std::array<std::pair<unsigned long, std::uint32_t>, 62> kNamedKeys{{
    {XK_BackSpace, 0x08},   {XK_Tab, 0x09},        {XK_ISO_Left_Tab, 0x09},
    {XK_Clear, 0x0C},       {XK_Return, 0x0D},     {XK_KP_Enter, 0x0D},
    {XK_Shift_L, 0x10},     {XK_Shift_R, 0x10},    {XK_Control_L, 0x11},
    {XK_Control_R, 0x11},   {XK_Alt_L, 0x12},      {XK_Alt_R, 0x12},
    {XK_Meta_L, 0x12},      {XK_Meta_R, 0x12},     {XK_ISO_Level3_Shift, 0x12},
    {XK_Pause, 0x13},       {XK_Caps_Lock, 0x14},  {XK_Escape, 0x1B},
    {XK_space, 0x20},       {XK_Prior, 0x21},      {XK_Next, 0x22},
    {XK_End, 0x23},         {XK_Home, 0x24},       {XK_Left, 0x25},
    {XK_Up, 0x26},          {XK_Right, 0x27},      {XK_Down, 0x28},
    {XK_Select, 0x29},      {XK_Execute, 0x2B},    {XK_Print, 0x2C},
    {XK_Insert, 0x2D},      {XK_Delete, 0x2E},     {XK_Help, 0x2F},
    {XK_Super_L, 0x5B},     {XK_Super_R, 0x5C},    {XK_Menu, 0x5D},
    {XK_KP_Multiply, 0x6A}, {XK_KP_Add, 0x6B},     {XK_KP_Separator, 0x6C},
    {XK_KP_Subtract, 0x6D}, {XK_KP_Decimal, 0x6E}, {XK_KP_Divide, 0x6F},
    {XK_KP_Home, 0x24},     {XK_KP_Left, 0x25},    {XK_KP_Up, 0x26},
    {XK_KP_Right, 0x27},    {XK_KP_Down, 0x28},    {XK_KP_Prior, 0x21},
    {XK_KP_Next, 0x22},     {XK_KP_End, 0x23},     {XK_KP_Begin, 0x0C},
    {XK_KP_Insert, 0x2D},   {XK_KP_Delete, 0x2E},  {XK_Num_Lock, 0x90},
    {XK_Scroll_Lock, 0x91}, {XK_semicolon, 0xBA},  {XK_equal, 0xBB},
    {XK_comma, 0xBC},       {XK_minus, 0xBD},      {XK_period, 0xBE},
    {XK_slash, 0xBF},       {XK_grave, 0xC0},
}};

constexpr std::array<std::pair<unsigned long, std::uint32_t>, 5> kMoreOemKeys{{
    {XK_bracketleft, 0xDB},
    {XK_backslash, 0xDC},
    {XK_bracketright, 0xDD},
    {XK_apostrophe, 0xDE},
    {XK_less, 0xE2},
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
  if (keysym >= XK_a && keysym <= XK_z) {
    return static_cast<std::uint32_t>('A' + (keysym - XK_a));
  }
  if (keysym >= XK_A && keysym <= XK_Z) {
    return static_cast<std::uint32_t>('A' + (keysym - XK_A));
  }
  if (keysym >= XK_0 && keysym <= XK_9) {
    return static_cast<std::uint32_t>('0' + (keysym - XK_0));
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
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) {
    return vk::kNumpad0 + static_cast<std::uint32_t>(keysym - XK_KP_0);
  }
  if (keysym >= XK_F1 && keysym <= XK_F24) {
    return vk::kF1 + static_cast<std::uint32_t>(keysym - XK_F1);
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
