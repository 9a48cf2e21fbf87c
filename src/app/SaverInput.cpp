#include "app/SaverInput.h"

void CSaverInput::PointerAppeared(std::int32_t x, std::int32_t y) {
  m_mouseStartX = x;
  m_mouseStartY = y;
}

SaverAction CSaverInput::PointerMoved(std::int32_t x, std::int32_t y) {
  if (m_mouseStartX == kNoMousePosition && m_mouseStartY == kNoMousePosition) {
    PointerAppeared(x, y);
    return SaverAction::kNone;
  }
  return x != m_mouseStartX || y != m_mouseStartY ? SaverAction::kClose : SaverAction::kNone;
}

SaverAction CSaverInput::ButtonPressed(unsigned button) {
  return button >= 1 && button <= 3 ? SaverAction::kClose : SaverAction::kNone;
}

SaverAction CSaverInput::KeyPressed(std::uint32_t virtualKey) {
  if (m_settings.m_printingActive != 0 && HotkeyMatches(m_settings.m_printingKey, virtualKey)) {
    return SaverAction::kScreenshot;
  }
  if (m_settings.m_pausingActive != 0 && HotkeyMatches(m_settings.m_pausingKey, virtualKey)) {
    m_paused = !m_paused;
    return SaverAction::kNone;
  }
  return SaverAction::kClose;
}

int HotkeyMatches(const std::string& keyString, std::uint32_t virtualKey) {
  const char keyChar = static_cast<char>(virtualKey & 0xFFu);
  return keyString.size() == 1 && keyString[0] == keyChar ? 1 : 0;
}
