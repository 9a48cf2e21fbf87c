#include "platform/dbus/LogindSession.h"

#include "platform/dbus/BusHandler.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {
constexpr const char* kName = "org.freedesktop.login1";
constexpr const char* kManagerPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";
constexpr const char* kSession = "org.freedesktop.login1.Session";

// Calls METHOD of the manager with one argument and reads the object path it answers.
template <typename Arg>
std::string ManagerPath(sd_bus* bus, const char* method, const char* signature, Arg arg) {
  sd_bus_message* reply = nullptr;
  std::string path;
  const char* read = nullptr;
  if (sd_bus_call_method(bus, kName, kManagerPath, kManager, method, nullptr, &reply, signature,
                         arg) >= 0 &&
      sd_bus_message_read(reply, "o", &read) >= 0) {
    path = read;
  }
  sd_bus_message_unref(reply);
  return path;
}

// The session this process belongs to. A process started by the user's service manager is in
// no session at all, though; it then watches the user's graphical one, which logind names in
// the user's Display property.
std::string SessionPath(sd_bus* bus) {
  if (const char* id = std::getenv("XDG_SESSION_ID"); id != nullptr) {
    std::string path = ManagerPath(bus, "GetSession", "s", id);
    if (!path.empty()) {
      return path;
    }
  }
  std::string path = ManagerPath(bus, "GetSessionByPID", "u", static_cast<uint32_t>(getpid()));
  if (!path.empty()) {
    return path;
  }
  sd_bus_message* reply = nullptr;
  const char* id = nullptr;
  const char* display = nullptr;
  if (sd_bus_get_property(bus, kName, "/org/freedesktop/login1/user/self",
                          "org.freedesktop.login1.User", "Display", nullptr, &reply, "(so)") >= 0 &&
      sd_bus_message_read(reply, "(so)", &id, &display) >= 0 && std::strcmp(display, "/") != 0) {
    path = display;
  }
  sd_bus_message_unref(reply);
  return path;
}

// Reads a boolean property of the session; nullopt when logind does not say.
std::optional<bool> SessionFlag(sd_bus* bus, const std::string& path, const char* property) {
  int value = 0;
  if (sd_bus_get_property_trivial(bus, kName, path.c_str(), kSession, property, nullptr, 'b',
                                  &value) < 0) {
    return std::nullopt;
  }
  return value != 0;
}
}  // namespace

std::unique_ptr<CLogindSession> CLogindSession::Find(CBusConnection& system, IIdleEvents& events) {
  std::string path = SessionPath(system.Raw());
  if (path.empty()) {
    return nullptr;
  }
  char* id = nullptr;
  if (sd_bus_get_property_string(system.Raw(), kName, path.c_str(), kSession, "Id", nullptr, &id) <
      0) {
    return nullptr;
  }
  std::string sessionId(id);
  std::free(id);
  return std::unique_ptr<CLogindSession>(
      new CLogindSession(system, events, std::move(path), std::move(sessionId)));
}

CLogindSession::CLogindSession(CBusConnection& system, IIdleEvents& events, std::string path,
                               std::string id)
    : m_bus(system), m_events(events), m_path(std::move(path)), m_id(std::move(id)) {
  sd_bus_slot* slot = nullptr;
  if (sd_bus_match_signal(m_bus.Raw(), &slot, kName, m_path.c_str(),
                          "org.freedesktop.DBus.Properties", "PropertiesChanged",
                          BusHandler<&OnPropertiesChanged>, this) >= 0) {
    m_changedMatch.reset(slot);
  }
}

SSessionBlockers CLogindSession::Blockers() {
  SSessionBlockers blockers;
  blockers.locked = SessionFlag(m_bus.Raw(), m_path, "LockedHint").value_or(false);
  blockers.inactive = !SessionFlag(m_bus.Raw(), m_path, "Active").value_or(true);
  return blockers;
}

bool CLogindSession::Lock() {
  return sd_bus_call_method(m_bus.Raw(), kName, kManagerPath, kManager, "LockSession", nullptr,
                            nullptr, "s", m_id.c_str()) >= 0;
}

namespace {
// Whether a PropertiesChanged of a session names the lock or the session being in front.
// logind sends both with their values; the idle hint and others change often and wake nobody.
bool NamesWatchedProperty(sd_bus_message* message) {
  const char* interface = nullptr;
  if (sd_bus_message_read(message, "s", &interface) < 0 || std::strcmp(interface, kSession) != 0 ||
      sd_bus_message_enter_container(message, 'a', "{sv}") < 0) {
    return false;
  }
  bool watched = false;
  while (sd_bus_message_enter_container(message, 'e', "sv") > 0) {
    const char* property = nullptr;
    if (sd_bus_message_read(message, "s", &property) < 0 || sd_bus_message_skip(message, "v") < 0 ||
        sd_bus_message_exit_container(message) < 0) {
      return false;
    }
    watched =
        watched || std::strcmp(property, "LockedHint") == 0 || std::strcmp(property, "Active") == 0;
  }
  return watched;
}
}  // namespace

int CLogindSession::OnPropertiesChanged(sd_bus_message* message, void* userdata) {
  if (NamesWatchedProperty(message)) {
    static_cast<CLogindSession*>(userdata)->m_events.OnSessionChanged();
  }
  return 0;
}
