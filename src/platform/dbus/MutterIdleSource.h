#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "idle/IdleSource.h"
#include "platform/dbus/BusConnection.h"

struct sd_bus_message;

// GNOME's idle monitor on the session bus. Mutter fires an idle watch each time the user has
// been away for its interval, and a user-active watch once, at the first input after it was
// added; so an idle watch stays for the whole wait, and a user-active watch is added after
// each idle edge to hear the return.
class CMutterIdleSource : public IIdleSource {
 public:
  // Whether GNOME's idle monitor is on this bus, so that the program can choose it.
  static bool IsOffered(const CBusConnection& bus);

  CMutterIdleSource(CBusConnection& bus, IIdleEvents& events);
  ~CMutterIdleSource() override;

  std::string_view Description() const override { return "GNOME's idle monitor"; }
  // False when the monitor refused the watch or was not there to ask. A monitor that appears
  // later, or comes back after GNOME Shell restarted in place, is given the wait by itself.
  bool Armed() const { return m_idleWatch != 0; }
  void Watch(std::chrono::seconds wait) override;
  void StopWatching() override;

 private:
  static int OnWatchFired(sd_bus_message* message, void* self);
  static int OnOwnerChanged(sd_bus_message* message, void* self);
  void RemoveWatch(uint32_t& id);

  CBusConnection& m_bus;
  IIdleEvents& m_events;
  BusSlot m_firedMatch;
  BusSlot m_ownerMatch;
  std::optional<std::chrono::seconds> m_wait;  // while watching
  std::string m_monitor;                       // the unique name holding our watches
  // Mutter numbers watches from 1, so 0 means none.
  uint32_t m_idleWatch = 0;
  uint32_t m_activeWatch = 0;
};
