#include "platform/wayland/KeyboardFocus.h"

bool CKeyboardFocus::TakeLoss(Clock::time_point now) {
  if (!m_lostBy || now < *m_lostBy) {
    return false;
  }
  m_lostBy.reset();
  return true;
}
