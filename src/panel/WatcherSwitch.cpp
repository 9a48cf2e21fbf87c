#include "panel/WatcherSwitch.h"

bool CWatcherSwitch::TurnOn() {
  // The unit and the entry may both start one at login; the watcher's own lock keeps one.
  const bool entry = m_autostart.SetEnabled(true);
  if (m_manager.Answers() && m_manager.EnableNow())
    return true;
  // No manager, or one that refused: start one by hand.
  return entry && (m_process.Runs() || m_process.Start());
}

bool CWatcherSwitch::TurnOff() {
  const bool entry = m_autostart.SetEnabled(false);
  const bool unit = !m_manager.Answers() || m_manager.DisableNow();
  return entry && unit;
}
