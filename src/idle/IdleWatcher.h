#pragma once

#include <chrono>
#include <string>

#include "idle/IdleSettings.h"
#include "idle/SessionFacts.h"

// What the watcher does; the program carries it out on the real session, tests record it.
class IIdleActions {
 public:
  virtual ~IIdleActions() = default;
  virtual void WatchIdle(std::chrono::seconds wait) = 0;
  virtual void StopWatching() = 0;
  // False when the saver could not even be started.
  virtual bool StartSaver() = 0;
  virtual void StopSaver() = 0;
  virtual void StartLockTimer(std::chrono::seconds delay) = 0;
  virtual void CancelLockTimer() = 0;
  virtual void Lock() = 0;
  // One line for stderr, without the program's name.
  virtual void Report(const std::string& message) = 0;
};

// How a saver run ended: its exit code (or 128 + the signal that ended it) and how long it ran.
struct SSaverEnd {
  int status = 0;
  std::chrono::milliseconds ranFor{0};
};

// The watcher's decisions, free of any session: one saver at a time, started when the session
// is idle and nothing blocks it, the lock a while after the start, and a saver that fails at
// once not started again until the user has come and gone. Every start needs an idle that is
// newer than the last saver's end, so nothing can start it in a loop. Once the lock it asked
// for is up, the saver ends: a saver left over the locker would hide it from the user.
class CIdleWatcher {
 public:
  // A run shorter than this that ends in an error is a saver that cannot start at all.
  static constexpr std::chrono::seconds kQuickFailure{1};

  CIdleWatcher(IIdleActions& actions, SIdleSettings settings);

  void Begin();
  void OnIdle(const SSessionBlockers& blockers);
  void OnActive();
  // Inhibitors, the lock or the session's seat changed: a start they held back may go now.
  void OnSessionChanged(const SSessionBlockers& blockers);
  void OnSaverEnded(const SSaverEnd& end);
  void OnLockDue();
  // The locker says it is up (its command returned, or the session reads as locked): the saver
  // that may cover it goes, so the user comes back to the lock and never to an open desktop.
  void OnLockTaken();
  void OnSettingsChanged(const SIdleSettings& settings);

  bool SaverRunning() const { return m_saverRunning; }
  const SIdleSettings& Settings() const { return m_settings; }

 private:
  void StartIfDue(const SSessionBlockers& blockers);
  std::chrono::seconds Wait() const { return std::chrono::seconds(m_settings.waitSeconds); }
  std::chrono::seconds LockDelay() const {
    return std::chrono::seconds(m_settings.lockDelaySeconds);
  }

  IIdleActions& m_actions;
  SIdleSettings m_settings;
  bool m_idle = false;
  bool m_saverRunning = false;
  bool m_lockPending = false;
  bool m_lockedThisRun = false;
  bool m_stopping = false;
  bool m_failureReported = false;
  std::string m_otherSaverReported;
};
