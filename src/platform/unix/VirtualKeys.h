#pragma once

#include <cstdint>
#include <string_view>

// Windows virtual-key codes of the keys the saver reports; the input rules compare them
// with the hotkey strings, so every display layer speaks the same codes as the Windows build.
namespace vk {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kSpace = 0x20;
inline constexpr std::uint32_t kMenu = 0x12;  // Alt
inline constexpr std::uint32_t kNumpad0 = 0x60;
inline constexpr std::uint32_t kF1 = 0x70;
inline constexpr std::uint32_t kF10 = 0x79;
}  // namespace vk

// Virtual keys from keysyms: the Windows codes of X11's and xkbcommon's key symbols (the two
// number their keysyms alike).

// The virtual-key code of a keysym, or vk::kNone for a
// keysym without one. Letters give their upper-case letter and the main keyboard's digits their
// digit.
std::uint32_t VirtualKeyFromKeysym(unsigned long keysym);

// The virtual-key code of a key outside the keypad, as a Windows layout gives it, from the
// key's symbols without and with Shift in the active layout and its XKB name ("AC01" is the
// key of the US A, "AE01" that of the US 1). A key with a Latin letter or a digit on either
// level gives that letter or digit: the A of AZERTY, the 1 of its & key. Otherwise a Latin
// layout (latinLayout: one with Latin letters) gives the code of the key's own symbol, and
// a key left without a code takes the letter or digit of its US position, as the keys of
// Cyrillic and Greek layouts do first.
std::uint32_t VirtualKeyFromKey(unsigned long plain, unsigned long shifted,
                                std::string_view keyName, bool latinLayout);

// The virtual-key code of a press, from the key's symbols without and with Shift in the
// active layout, the symbol the press gives with the modifiers now active, and as for
// VirtualKeyFromKey. On the keypad Num Lock decides between the digit and the movement key,
// as on Windows, so there the effective symbol counts.
std::uint32_t VirtualKeyOfPress(unsigned long plain, unsigned long shifted, unsigned long effective,
                                std::string_view keyName, bool latinLayout);

// Nonzero for a Latin letter keysym.
int IsLatinLetter(unsigned long keysym);

// Nonzero when Windows would report the press as a system key: a key pressed with Alt
// (and without Ctrl, which makes Alt+Ctrl the AltGr of many layouts), Alt itself, and F10.
int IsSystemKey(std::uint32_t virtualKey, bool altDown, bool controlDown);
