#include "main/IdleRun.h"

#include <unistd.h>

#include <cstdio>

#include "platform/posix/CommandLocker.h"

CIdleRun::CIdleRun(const SIdleOptions& options, std::vector<std::string> saverCommand,
                   std::function<void(const std::string&)> publishStatus)
    : m_options(options),
      m_saverCommand(std::move(saverCommand)),
      m_publishStatus(std::move(publishStatus)),
      m_store(UserConfigHome()),
      m_watcher(*this, options.Apply(ReadIdleSettings(m_store))),
      m_lockTimer([this] { m_watcher.OnLockDue(); }),
      m_saver([this](int status, std::chrono::milliseconds ranFor) {
        m_watcher.OnSaverEnded({status, ranFor});
      }) {}

int CIdleRun::Run() {
  m_session = OpenIdleSession(*this, [this] { return m_saver.Running(); });
  if (!m_session.source) {
    std::fputs(
        "spirandel-idle: cannot tell when this session is idle: no idle protocol from a Wayland "
        "compositor, no GNOME idle monitor on the session bus and no X display with an idle "
        "counter\n",
        stderr);
    return 1;
  }
  std::fprintf(stderr, "spirandel-idle: watching the session through %s\n",
               std::string(m_session.source->Description()).c_str());
  if (m_options.lockCommand) {
    auto locker = std::make_unique<CCommandLocker>(
        *m_options.lockCommand, [this](int status, std::chrono::milliseconds) {
          // A command that returns has locked (swaylock -f, i3lock); one that fails has not.
          if (status == 0) {
            m_watcher.OnLockTaken();
          } else {
            Report("the lock command ended with status " + std::to_string(status));
          }
        });
    m_loop.Add(locker->Process());
    m_commandLocker = std::move(locker);
  }
  std::string lockers;
  if (m_commandLocker)
    lockers = m_commandLocker->Description();
  for (ILocker* locker : m_session.lockers) {
    lockers += (lockers.empty() ? "" : "; ") + locker->Description();
  }
  m_publishStatus("pid: " + std::to_string(getpid()) + "\nsource: " +
                  std::string(m_session.source->Description()) + "\nlockers: " + lockers + "\n");
  if (const auto file = m_store.SectionFile(kIdleSection)) {
    m_settingsWatch.emplace(*file, [this] { ReloadSettings(); });
    m_loop.Add(*m_settingsWatch);
  }
  for (const auto& connection : m_session.connections)
    m_loop.Add(*connection);
  m_loop.Add(m_signals);
  m_loop.Add(m_lockTimer);
  m_loop.Add(m_saver);
  m_watcher.Begin();
  m_loop.Run();
  return 0;
}

void CIdleRun::ReloadSettings() {
  m_watcher.OnSettingsChanged(m_options.Apply(ReadIdleSettings(m_store)));
}

SSessionBlockers CIdleRun::Blockers() {
  SSessionBlockers all;
  for (ISessionFacts* facts : m_session.facts) {
    all.Add(facts->Blockers());
  }
  return all;
}

void CIdleRun::WatchIdle(std::chrono::seconds wait) {
  m_session.source->Watch(wait);
}

void CIdleRun::StopWatching() {
  m_session.source->StopWatching();
}

bool CIdleRun::StartSaver() {
  return m_saver.Start(m_saverCommand);
}

void CIdleRun::StopSaver() {
  m_saver.Stop();
}

void CIdleRun::StartLockTimer(std::chrono::seconds delay) {
  m_lockTimer.Start(delay);
}

void CIdleRun::CancelLockTimer() {
  m_lockTimer.Cancel();
}

void CIdleRun::Lock() {
  // The user's own command first: naming one is a choice over whatever the desktop offers.
  if (m_commandLocker && m_commandLocker->Lock())
    return;
  for (ILocker* locker : m_session.lockers) {
    if (locker->Lock())
      return;
  }
  Report("the session could not be locked: no locker answered");
}

void CIdleRun::Report(const std::string& message) {
  std::fprintf(stderr, "spirandel-idle: %s\n", message.c_str());
}

void CIdleRun::OnIdle() {
  m_watcher.OnIdle(Blockers());
}

void CIdleRun::OnActive() {
  m_watcher.OnActive();
}

void CIdleRun::OnSessionChanged() {
  m_watcher.OnSessionChanged(Blockers());
}
