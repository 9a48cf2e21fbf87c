#pragma once

#include <cstdint>
#include <string>

#include "settings/SaverSettings.h"

// What the full-screen saver makes of user input, on every platform: a platform reports what
// happened and carries out the answer, so each rule lives here once.
enum class SaverAction { kNone, kClose, kScreenshot };

// The mouse start position is unknown until the first position is reported.
inline constexpr std::int32_t kNoMousePosition = -1;

// The saver's input state and rules: where the pointer started, and the pause, which is
// run-time state of the saver window and never stored with the settings.
class CSaverInput {
 public:
  explicit CSaverInput(const SaverSettings& settings) : m_settings(settings) {}

  // The pointer's place as the saver appears under it: the start, no movement.
  void PointerAppeared(std::int32_t x, std::int32_t y);
  // The first move reported only records the start; any later one away from it, by even one
  // pixel, closes.
  SaverAction PointerMoved(std::int32_t x, std::int32_t y);
  // A button by its number as X11 counts them: 1 to 3 (left, middle, right) close. The wheel
  // (4 to 7) and the side buttons (8, 9 and beyond) do nothing: Windows reports none of them
  // as a button press.
  static SaverAction ButtonPressed(unsigned button);
  // A key by its virtual-key code, not a system key: the screenshot key, then the pause key,
  // which toggles the pause here; every other key closes.
  SaverAction KeyPressed(std::uint32_t virtualKey);

  bool Paused() const { return m_paused; }

  std::int32_t m_mouseStartX = kNoMousePosition;
  std::int32_t m_mouseStartY = kNoMousePosition;
  bool m_paused = false;

 private:
  const SaverSettings& m_settings;
};

// Nonzero when the key string names the key with this virtual-key code: the string must be
// exactly one character, equal (case-sensitively) to the low byte of the code.
int HotkeyMatches(const std::string& keyString, std::uint32_t virtualKey);
