#include "app/SaverInput.h"

int MouseMoveCloses(std::int32_t& startX, std::int32_t& startY, std::int32_t x, std::int32_t y) {
  if (startX == kNoMousePosition && startY == kNoMousePosition) {
    startX = x;
    startY = y;
    return 0;
  }
  return (x != startX || y != startY) ? 1 : 0;
}

int HotkeyMatches(const std::string& keyString, std::uint32_t virtualKey) {
  const char keyChar = static_cast<char>(virtualKey & 0xFFu);
  return keyString == std::string(1, keyChar) ? 1 : 0;
}

KeyAction ClassifyKeyDown(const SaverSettings& settings, std::uint32_t virtualKey) {
  if (settings.m_printingActive != 0 && HotkeyMatches(settings.m_printingKey, virtualKey)) {
    return KeyAction::kScreenshot;
  }
  if (settings.m_pausingActive != 0 && HotkeyMatches(settings.m_pausingKey, virtualKey)) {
    return KeyAction::kTogglePause;
  }
  return KeyAction::kClose;
}

void TogglePause(SaverSettings& settings) {
  settings.m_paused = settings.m_paused == 0 ? 1 : 0;
}
