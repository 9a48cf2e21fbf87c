#include "platform/dbus/GnomeFacts.h"

#include "platform/dbus/BusHandler.h"

namespace {
constexpr const char* kManagerName = "org.gnome.SessionManager";
constexpr const char* kManagerPath = "/org/gnome/SessionManager";
// The session manager's inhibit flag for "do not mark the session idle".
constexpr uint32_t kInhibitIdle = 8;

constexpr const char* kShieldName = "org.gnome.ScreenSaver";
constexpr const char* kShieldPath = "/org/gnome/ScreenSaver";

// Asks a yes-or-no question; no answer (no such service, an error) is a no. A service that
// is not running is not started for it: on another desktop a GNOME service would only answer
// for a session it does not run.
template <typename... Args>
bool Ask(sd_bus* bus, const char* name, const char* path, const char* method, const char* signature,
         Args... args) {
  sd_bus_message* call = nullptr;
  sd_bus_message* reply = nullptr;
  int answer = 0;
  if (sd_bus_message_new_method_call(bus, &call, name, path, name, method) < 0 ||
      sd_bus_message_set_auto_start(call, 0) < 0 ||
      sd_bus_message_append(call, signature, args...) < 0 ||
      sd_bus_call(bus, call, 0, nullptr, &reply) < 0 ||
      sd_bus_message_read(reply, "b", &answer) < 0) {
    answer = 0;
  }
  sd_bus_message_unref(reply);
  sd_bus_message_unref(call);
  return answer != 0;
}

BusSlot MatchSignal(sd_bus* bus, const char* name, const char* path, const char* member,
                    sd_bus_message_handler_t handler, void* userdata) {
  sd_bus_slot* slot = nullptr;
  if (sd_bus_match_signal(bus, &slot, name, path, name, member, handler, userdata) < 0) {
    return nullptr;
  }
  return BusSlot(slot);
}
}  // namespace

CGnomeInhibitors::CGnomeInhibitors(CBusConnection& session, IIdleEvents& events)
    : m_bus(session),
      m_events(events),
      m_addedMatch(MatchSignal(session.Raw(), kManagerName, kManagerPath, "InhibitorAdded",
                               BusHandler<&OnInhibitorsChanged>, this)),
      m_removedMatch(MatchSignal(session.Raw(), kManagerName, kManagerPath, "InhibitorRemoved",
                                 BusHandler<&OnInhibitorsChanged>, this)) {}

SSessionBlockers CGnomeInhibitors::Blockers() {
  SSessionBlockers blockers;
  blockers.inhibited =
      Ask(m_bus.Raw(), kManagerName, kManagerPath, "IsInhibited", "u", kInhibitIdle);
  return blockers;
}

int CGnomeInhibitors::OnInhibitorsChanged(sd_bus_message*, void* userdata) {
  static_cast<CGnomeInhibitors*>(userdata)->m_events.OnSessionChanged();
  return 0;
}

CGnomeShield::CGnomeShield(CBusConnection& session, IIdleEvents& events)
    : m_bus(session),
      m_events(events),
      m_activeMatch(MatchSignal(session.Raw(), kShieldName, kShieldPath, "ActiveChanged",
                                BusHandler<&OnActiveChanged>, this)) {}

SSessionBlockers CGnomeShield::Blockers() {
  SSessionBlockers blockers;
  blockers.locked = Ask(m_bus.Raw(), kShieldName, kShieldPath, "GetActive", "");
  return blockers;
}

int CGnomeShield::OnActiveChanged(sd_bus_message*, void* userdata) {
  static_cast<CGnomeShield*>(userdata)->m_events.OnSessionChanged();
  return 0;
}
