#pragma once

#include <memory>
#include <string>

#include "idle/IdleSource.h"
#include "idle/SessionFacts.h"
#include "platform/dbus/BusConnection.h"

struct sd_bus_message;

// The login session the watcher belongs to, as logind on the system bus sees it: locked by
// the desktop's own locker, or not the session in front of the user (another seat's or a
// switched-away one).
class CLogindSession : public ISessionFacts {
 public:
  // Null when logind does not answer or knows no session of ours. EVENTS hears each change of
  // the lock or of the session being in front.
  static std::unique_ptr<CLogindSession> Find(CBusConnection& system, IIdleEvents& events);

  SSessionBlockers Blockers() override;
  // Asks logind to have the session's own locker lock it. False when the request failed.
  bool Lock();
  const std::string& Path() const { return m_path; }

 private:
  CLogindSession(CBusConnection& system, IIdleEvents& events, std::string path, std::string id);
  static int OnPropertiesChanged(sd_bus_message* message, void* self);

  CBusConnection& m_bus;
  IIdleEvents& m_events;
  std::string m_path;
  std::string m_id;
  BusSlot m_changedMatch;
};
