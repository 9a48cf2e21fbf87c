#include "panel/PanelModel.h"

#include <algorithm>

void CPanelModel::Load(bool watcherRuns) {
  m_stored = ReadIdleSettings(m_store);
  m_edited = m_stored;
  m_on = m_wasOn = m_stored.active && watcherRuns;
}

int CPanelModel::MinutesOf(std::uint32_t seconds, int least) {
  // Rounded up, so that a wait of some seconds does not show as none.
  return std::max(least, static_cast<int>((seconds + 59) / 60));
}

std::uint32_t CPanelModel::SecondsOf(int minutes, int least) {
  return static_cast<std::uint32_t>(std::clamp(minutes, least, kMostMinutes)) * 60;
}

void CPanelModel::SetWaitMinutes(int minutes) {
  if (minutes != WaitMinutes())
    m_edited.waitSeconds = SecondsOf(minutes, 1);
}

void CPanelModel::SetLockMinutes(int minutes) {
  if (minutes != LockMinutes())
    m_edited.lockDelaySeconds = SecondsOf(minutes, 0);
}

SIdleSettings CPanelModel::ToStore() const {
  SIdleSettings settings = m_edited;
  // Shown as off because none runs, the stored value stays until the user turns it on or off.
  settings.active = m_on == m_wasOn ? m_stored.active : m_on;
  return settings;
}

bool CPanelModel::Changed() const {
  return ToStore() != m_stored || m_on != m_wasOn;
}

CPanelModel::EApplied CPanelModel::Apply() {
  const SIdleSettings wanted = ToStore();
  if (wanted != m_stored) {
    if (WriteIdleSettings(m_store, wanted) == 0) {
      m_stored = ReadIdleSettings(m_store);
      return EApplied::NotWritten;
    }
    m_stored = wanted;
  }
  if (m_on == m_wasOn)
    return EApplied::Done;
  if (!(m_on ? m_switch.TurnOn() : m_switch.TurnOff()))
    return EApplied::WatcherNotSwitched;
  m_wasOn = m_on;
  return EApplied::Done;
}
