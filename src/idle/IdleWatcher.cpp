#include "idle/IdleWatcher.h"

CIdleWatcher::CIdleWatcher(IIdleActions& actions, SIdleSettings settings)
    : m_actions(actions), m_settings(settings) {}

void CIdleWatcher::Begin() {
  if (m_settings.active)
    m_actions.WatchIdle(Wait());
}

void CIdleWatcher::OnIdle(const SSessionBlockers& blockers) {
  m_idle = true;
  StartIfDue(blockers);
}

void CIdleWatcher::OnActive() {
  m_idle = false;
}

void CIdleWatcher::OnSessionChanged(const SSessionBlockers& blockers) {
  if (blockers.locked && m_lockedThisRun)
    OnLockTaken();
  StartIfDue(blockers);
}

void CIdleWatcher::OnLockTaken() {
  if (!m_saverRunning || !m_lockedThisRun || m_stopping)
    return;
  m_stopping = true;
  m_actions.StopSaver();
}

void CIdleWatcher::StartIfDue(const SSessionBlockers& blockers) {
  if (!m_idle || m_saverRunning || !m_settings.active)
    return;
  // Said once while it runs: a user who runs another saver on purpose needs no line an hour.
  if (!blockers.otherSaver.empty() && blockers.otherSaver != m_otherSaverReported) {
    m_actions.Report(blockers.otherSaver +
                     " runs this session's screen saver: the screen is left to it");
  }
  m_otherSaverReported = blockers.otherSaver;
  if (blockers.Any())
    return;
  // This idle is used up, whatever comes of it: only the user's return makes a new one.
  m_idle = false;
  if (!m_actions.StartSaver()) {
    if (!m_failureReported)
      m_actions.Report("the saver could not be started");
    m_failureReported = true;
    return;
  }
  m_saverRunning = true;
  m_lockedThisRun = false;
  m_stopping = false;
  if (m_settings.lock) {
    m_lockPending = true;
    m_actions.StartLockTimer(LockDelay());
  }
}

void CIdleWatcher::OnSaverEnded(const SSaverEnd& end) {
  if (!m_saverRunning)
    return;
  m_saverRunning = false;
  if (m_lockPending)
    m_actions.CancelLockTimer();
  m_lockPending = false;
  // A saver ended for the lock ended as asked, however it says so.
  if (end.status == 0 || end.ranFor >= kQuickFailure || m_stopping) {
    m_failureReported = false;
    return;
  }
  if (!m_failureReported) {
    m_actions.Report("the saver ended at once with status " + std::to_string(end.status) +
                     "; it starts again at the next idle time");
  }
  m_failureReported = true;
}

void CIdleWatcher::OnLockDue() {
  if (!m_lockPending)
    return;
  m_lockPending = false;
  if (!m_saverRunning)
    return;
  m_lockedThisRun = true;
  m_actions.Lock();
}

void CIdleWatcher::OnSettingsChanged(const SIdleSettings& settings) {
  const SIdleSettings old = m_settings;
  m_settings = settings;
  if (settings.active && (!old.active || settings.waitSeconds != old.waitSeconds)) {
    m_actions.WatchIdle(Wait());
  } else if (!settings.active && old.active) {
    m_actions.StopWatching();
    m_idle = false;
  }
  if (!m_saverRunning)
    return;
  if (m_lockPending && (!settings.lock || settings.lockDelaySeconds != old.lockDelaySeconds)) {
    m_actions.CancelLockTimer();
    m_lockPending = false;
  }
  // A lock turned on, or moved, while the saver runs counts from now.
  if (settings.lock && !m_lockPending && !m_lockedThisRun &&
      (!old.lock || settings.lockDelaySeconds != old.lockDelaySeconds)) {
    m_lockPending = true;
    m_actions.StartLockTimer(LockDelay());
  }
}
