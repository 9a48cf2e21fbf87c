#pragma once

#include "idle/SessionFacts.h"
#include "platform/dbus/BusConnection.h"

// The desktops' own screen savers that run as services of the session bus (Xfce's, MATE's,
// Cinnamon's): where one runs, the user has chosen it, and the watcher leaves it the screen.
class COtherSaverHosts : public ISessionFacts {
 public:
  explicit COtherSaverHosts(CBusConnection& session) : m_bus(session) {}
  SSessionBlockers Blockers() override;

 private:
  CBusConnection& m_bus;
};
