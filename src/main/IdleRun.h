#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "idle/IdleOptions.h"
#include "idle/IdleSource.h"
#include "idle/IdleWatcher.h"
#include "platform/posix/ChildProcess.h"
#include "platform/posix/LoopSources.h"
#include "platform/posix/PollLoop.h"
#include "platform/posix/RegFileStore.h"

// What the watcher's run is made of, found by IdleSessions.cpp: the source of idleness, the
// connections it and the facts live on, the facts that may block a start, the lockers in the
// order they are tried.
struct SIdleSession {
  // Declared so that they go in the right order: what lives on a connection before it.
  std::vector<std::shared_ptr<IPolledSource>> connections;
  // The owners of the raw pointers below, and of the connections the loop does not poll.
  std::vector<std::shared_ptr<void>> keep;
  std::shared_ptr<IIdleSource> source;
  std::vector<ISessionFacts*> facts;
  std::vector<ILocker*> lockers;
};

// The watcher at work: carries out CIdleWatcher's decisions on the session, hands it the
// session's events, and follows the settings file. Ends when the session does (its connection
// is lost) or an ending signal comes.
class CIdleRun : public IIdleActions, public IIdleEvents {
 public:
  // publishStatus hears, once the session is open, how it is watched: "pid: N", "source: ...",
  // "lockers: ...", a line each.
  CIdleRun(const SIdleOptions& options, std::vector<std::string> saverCommand,
           std::function<void(const std::string&)> publishStatus);

  // Exit status: 0 at the session's end or a signal, 1 when it cannot be watched.
  int Run();

  // IIdleActions
  void WatchIdle(std::chrono::seconds wait) override;
  void StopWatching() override;
  bool StartSaver() override;
  void StopSaver() override;
  void StartLockTimer(std::chrono::seconds delay) override;
  void CancelLockTimer() override;
  void Lock() override;
  void Report(const std::string& message) override;

  // IIdleEvents
  void OnIdle() override;
  void OnActive() override;
  void OnSessionChanged() override;

 private:
  SSessionBlockers Blockers();
  void ReloadSettings();

  SIdleOptions m_options;
  std::vector<std::string> m_saverCommand;
  std::function<void(const std::string&)> m_publishStatus;
  CRegFileStore m_store;
  CIdleWatcher m_watcher;
  SIdleSession m_session;
  std::unique_ptr<ILocker> m_commandLocker;
  CPollLoop m_loop;
  CEndingSignals m_signals;
  CTimer m_lockTimer;
  CChildProcess m_saver;
  std::optional<CFileWatch> m_settingsWatch;
};

// Finds how this session can be watched; nothing in source when it cannot.
SIdleSession OpenIdleSession(IIdleEvents& events, std::function<bool()> saverRunning);
