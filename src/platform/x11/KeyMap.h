#pragma once

#include <cstdint>

// Windows virtual-key codes of the keys the saver reports; the input rules compare them
// with the hotkey strings, so the X layer speaks the same codes as the Windows build.
namespace vk {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kSpace = 0x20;
inline constexpr std::uint32_t kMenu = 0x12;  // Alt
inline constexpr std::uint32_t kNumpad0 = 0x60;
inline constexpr std::uint32_t kF1 = 0x70;
inline constexpr std::uint32_t kF10 = 0x79;
}  // namespace vk

// The virtual-key code of an X keysym, or vk::kNone for a keysym without one. Letters give
// their upper-case letter and the main keyboard's digits their digit, whatever the shift
// state; the caller passes the keysym of the key's first level (XLookupKeysym index 0)
// except on the keypad, where Num Lock decides between digits and movement keys.
std::uint32_t VirtualKeyFromKeysym(unsigned long keysym);

// Nonzero when Windows would report the press as a system key: a key pressed with Alt
// (and without Ctrl, which makes Alt+Ctrl the AltGr of many layouts), Alt itself, and F10.
int IsSystemKey(std::uint32_t virtualKey, bool altDown, bool controlDown);
