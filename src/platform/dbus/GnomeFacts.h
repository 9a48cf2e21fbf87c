#pragma once

#include "idle/IdleSource.h"
#include "idle/SessionFacts.h"
#include "platform/dbus/BusConnection.h"

struct sd_bus_message;

// GNOME's session manager: whether an application asked it to keep the session from going
// idle (a film, a presentation). Without a session manager on the bus, nothing is inhibited.
class CGnomeInhibitors : public ISessionFacts {
 public:
  CGnomeInhibitors(CBusConnection& session, IIdleEvents& events);
  SSessionBlockers Blockers() override;

 private:
  static int OnInhibitorsChanged(sd_bus_message* message, void* self);
  CBusConnection& m_bus;
  IIdleEvents& m_events;
  BusSlot m_addedMatch;
  BusSlot m_removedMatch;
};

// GNOME Shell's screen shield: when it is already up, the session counts as locked.
class CGnomeShield : public ISessionFacts {
 public:
  CGnomeShield(CBusConnection& session, IIdleEvents& events);
  SSessionBlockers Blockers() override;

 private:
  static int OnActiveChanged(sd_bus_message* message, void* self);
  CBusConnection& m_bus;
  IIdleEvents& m_events;
  BusSlot m_activeMatch;
};
