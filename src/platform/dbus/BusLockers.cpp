#include "platform/dbus/BusLockers.h"

#include <systemd/sd-bus.h>

#include <cerrno>

CBusMethodLocker CBusMethodLocker::FreedesktopScreenSaver(CBusConnection& session) {
  return CBusMethodLocker(session, "the desktop's screen saver (org.freedesktop.ScreenSaver)",
                          "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", true);
}

CBusMethodLocker CBusMethodLocker::GnomeScreenSaver(CBusConnection& session) {
  return CBusMethodLocker(session, "GNOME's screen shield", "org.gnome.ScreenSaver",
                          "/org/gnome/ScreenSaver", false);
}

bool CBusMethodLocker::Lock() {
  const std::string owner = m_bus.NameOwner(m_name);
  if (owner.empty() || (m_refuseOwnName && owner == m_bus.UniqueName())) {
    return false;
  }
  // To the owner just asked about, so that the answer is about the same program. A locker may
  // answer only once the lock is up; one that takes longer than we wait was still asked.
  const int r =
      sd_bus_call_method(m_bus.Raw(), owner.c_str(), m_path, m_name, "Lock", nullptr, nullptr, "");
  return r >= 0 || r == -ETIMEDOUT;
}
