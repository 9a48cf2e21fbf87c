#pragma once

#include "panel/AutostartEntry.h"

// The session's service manager as the panel needs it: systemd's user manager on most
// desktops, stood in by tests.
class IServiceManager {
 public:
  virtual ~IServiceManager() = default;
  // True when a user manager answers in this session and knows the watcher's unit.
  virtual bool Answers() = 0;
  // Enables the watcher's unit and starts it now; false when the manager refused either.
  virtual bool EnableNow() = 0;
  // Disables the unit and stops it now; false when the manager refused either.
  virtual bool DisableNow() = 0;
};

// A watcher started by hand where no service manager does it.
class IWatcherProcess {
 public:
  virtual ~IWatcherProcess() = default;
  virtual bool Runs() = 0;
  virtual bool Start() = 0;
};

// Turns the watcher on or off for this and later sessions: through the user unit where a
// service manager answers, else through the autostart entry and a watcher started now.
//
// Off leaves a watcher that was not started by the manager running: the caller also stores
// the watcher as inactive, and a watcher that reads that sleeps until it is turned on again.
// That reaches every watcher however it was started (a terminal, an older session's entry),
// where stopping processes would reach only the ones the panel knows of.
class CWatcherSwitch {
 public:
  CWatcherSwitch(IServiceManager& manager, CAutostartEntry& autostart, IWatcherProcess& process)
      : m_manager(manager), m_autostart(autostart), m_process(process) {}

  // False when the watcher could not be made to run (on) or kept from the next session (off).
  bool TurnOn();
  bool TurnOff();

 private:
  IServiceManager& m_manager;
  CAutostartEntry& m_autostart;
  IWatcherProcess& m_process;
};
