#pragma once

#include <cstdint>
#include <string>

#include "settings/SaverSettings.h"

// What the full-screen saver does with user input. Both platform layers translate their
// events into these calls, so the decisions are made once, here.

// What a key press (not a system key) asks for.
enum class KeyAction { kClose, kScreenshot, kTogglePause };

// The mouse start position is unknown until the first move is reported.
inline constexpr std::int32_t kNoMousePosition = -1;

// Nonzero when a move to (x, y) ends the saver. The first reported move only records the
// position; any later one that differs from it, by even one pixel, ends the saver.
int MouseMoveCloses(std::int32_t& startX, std::int32_t& startY, std::int32_t x, std::int32_t y);

// Nonzero when the key string names the key with this virtual-key code: the string must be
// exactly one character, equal (case-sensitively) to the low byte of the code.
int HotkeyMatches(const std::string& keyString, std::uint32_t virtualKey);

// The screenshot key is tested before the pause key, so one key set for both takes
// screenshots. Every other key ends the saver.
KeyAction ClassifyKeyDown(const SaverSettings& settings, std::uint32_t virtualKey);

// 0 becomes 1 and anything else 0.
void TogglePause(SaverSettings& settings);
