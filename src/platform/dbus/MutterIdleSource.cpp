#include "platform/dbus/MutterIdleSource.h"

#include "platform/dbus/BusHandler.h"

#include <string>

namespace {
constexpr const char* kName = "org.gnome.Mutter.IdleMonitor";
constexpr const char* kPath = "/org/gnome/Mutter/IdleMonitor/Core";
constexpr const char* kInterface = "org.gnome.Mutter.IdleMonitor";

// Asks the monitor for a watch: its number, or 0 when the monitor refused or is not there, and
// the unique name of the monitor that holds it.
template <typename... Args>
uint32_t AddWatch(sd_bus* bus, std::string& monitor, const char* method, const char* types,
                  Args... args) {
  sd_bus_message* reply = nullptr;
  uint32_t id = 0;
  if (sd_bus_call_method(bus, kName, kPath, kInterface, method, nullptr, &reply, types, args...) <
          0 ||
      sd_bus_message_read(reply, "u", &id) < 0) {
    id = 0;
  } else if (const char* sender = sd_bus_message_get_sender(reply); sender != nullptr) {
    monitor = sender;
  }
  sd_bus_message_unref(reply);
  return id;
}
}  // namespace

bool CMutterIdleSource::IsOffered(const CBusConnection& bus) {
  return !bus.NameOwner(kName).empty();
}

CMutterIdleSource::CMutterIdleSource(CBusConnection& bus, IIdleEvents& events)
    : m_bus(bus), m_events(events) {
  // Listening starts before the first watch exists, so that no firing can slip between.
  sd_bus_slot* slot = nullptr;
  if (sd_bus_match_signal(m_bus.Raw(), &slot, kName, kPath, kInterface, "WatchFired",
                          BusHandler<&OnWatchFired>, this) >= 0) {
    m_firedMatch.reset(slot);
  }
  // GNOME Shell on X11 restarts in place (Alt+F2 r), and its new monitor knows none of the old
  // watches.
  if (sd_bus_add_match(
          m_bus.Raw(), &slot,
          "type='signal',sender='org.freedesktop.DBus',interface='org.freedesktop.DBus',"
          "member='NameOwnerChanged',arg0='org.gnome.Mutter.IdleMonitor'",
          BusHandler<&OnOwnerChanged>, this) >= 0) {
    m_ownerMatch.reset(slot);
  }
}

CMutterIdleSource::~CMutterIdleSource() {
  StopWatching();
}

void CMutterIdleSource::Watch(std::chrono::seconds wait) {
  StopWatching();
  m_wait = wait;
  m_idleWatch = AddWatch(m_bus.Raw(), m_monitor, "AddIdleWatch", "t",
                         static_cast<uint64_t>(std::chrono::milliseconds(wait).count()));
}

void CMutterIdleSource::StopWatching() {
  m_wait.reset();
  RemoveWatch(m_idleWatch);
  RemoveWatch(m_activeWatch);
}

void CMutterIdleSource::RemoveWatch(uint32_t& id) {
  if (id != 0) {
    // Nothing waits on the answer: a watch that is already gone is just as good.
    sd_bus_call_method_async(m_bus.Raw(), nullptr, kName, kPath, kInterface, "RemoveWatch", nullptr,
                             nullptr, "u", id);
    id = 0;
  }
}

int CMutterIdleSource::OnWatchFired(sd_bus_message* message, void* userdata) {
  auto* self = static_cast<CMutterIdleSource*>(userdata);
  uint32_t id = 0;
  // Every client of the monitor hears every firing; only our own watches count.
  if (sd_bus_message_read(message, "u", &id) < 0 || id == 0) {
    return 0;
  }
  if (id == self->m_idleWatch) {
    // Asked for at once, while the user is surely still away: a watch added after the return
    // would wait for the input after it. Mutter answers at once, so the loop barely waits.
    if (self->m_activeWatch == 0) {
      self->m_activeWatch = AddWatch(self->m_bus.Raw(), self->m_monitor, "AddUserActiveWatch", "");
    }
    self->m_events.OnIdle();
  } else if (id == self->m_activeWatch) {
    // Mutter drops a user-active watch once it fired.
    self->m_activeWatch = 0;
    self->m_events.OnActive();
  }
  return 0;
}

int CMutterIdleSource::OnOwnerChanged(sd_bus_message* message, void* userdata) {
  auto* self = static_cast<CMutterIdleSource*>(userdata);
  const char* name = nullptr;
  const char* before = nullptr;
  const char* after = nullptr;
  // A monitor that appears or comes back, other than the one holding our watches.
  if (sd_bus_message_read(message, "sss", &name, &before, &after) >= 0 && *after != '\0' &&
      after != self->m_monitor && self->m_wait) {
    // The old numbers are void; removing them would only disturb another client's watches.
    self->m_idleWatch = self->m_activeWatch = 0;
    self->Watch(*self->m_wait);
  }
  return 0;
}
