#pragma once

#include <cstdint>

#include "idle/IdleSettings.h"
#include "panel/WatcherSwitch.h"
#include "settings/ProfileStore.h"

// The panel's values between OK, Apply and Cancel: the watcher's stored settings as the user
// edits them, shown in minutes, and whether the watcher is on. Nothing is written before Apply
// or OK; Cancel is simply not applying.
class CPanelModel {
 public:
  enum class EApplied { Done, NotWritten, WatcherNotSwitched };

  static constexpr int kMostMinutes = static_cast<int>(SIdleSettings::kMaxSeconds / 60);

  CPanelModel(IProfileStore& store, CWatcherSwitch& watcherSwitch)
      : m_store(store), m_switch(watcherSwitch) {}

  // Reads the stored values. The watcher shows as on only when it is stored as active and a
  // watcher runs: a value that nothing acts on would promise what does not happen.
  void Load(bool watcherRuns);

  bool WatcherOn() const { return m_on; }
  int WaitMinutes() const { return MinutesOf(m_edited.waitSeconds, 1); }
  bool Lock() const { return m_edited.lock; }
  int LockMinutes() const { return MinutesOf(m_edited.lockDelaySeconds, 0); }

  // Values out of range are brought into it (a wait of 1 minute to a day, a lock delay of 0 to
  // a day). A value set to what it shows keeps the stored seconds, which minutes may round.
  void SetWatcherOn(bool on) { m_on = on; }
  void SetWaitMinutes(int minutes);
  void SetLock(bool lock) { m_edited.lock = lock; }
  void SetLockMinutes(int minutes);

  // Whether Apply has anything to do.
  bool Changed() const;
  // Writes the values and switches the watcher when it was turned on or off. When the store
  // refuses, nothing is switched and the edited values stay, for another try; the stored
  // ones are read again, since some may have been written.
  EApplied Apply();

 private:
  static int MinutesOf(std::uint32_t seconds, int least);
  static std::uint32_t SecondsOf(int minutes, int least);
  SIdleSettings ToStore() const;

  IProfileStore& m_store;
  CWatcherSwitch& m_switch;
  SIdleSettings m_stored;
  SIdleSettings m_edited;
  bool m_on = false;
  bool m_wasOn = false;
};
