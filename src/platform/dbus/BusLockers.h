#pragma once

#include <string>

#include "idle/SessionFacts.h"
#include "platform/dbus/BusConnection.h"
#include "platform/dbus/LogindSession.h"

// logind's lock of the watcher's session: logind asks the session's own locker to lock.
class CLogindLocker : public ILocker {
 public:
  explicit CLogindLocker(CLogindSession& session) : m_session(session) {}
  std::string Description() const override { return "logind's session lock"; }
  bool Lock() override { return m_session.Lock(); }

 private:
  CLogindSession& m_session;
};

// A desktop's locker behind a Lock method on the session bus, asked of whoever owns its name
// at the moment of locking.
class CBusMethodLocker : public ILocker {
 public:
  // The freedesktop screen saver's Lock, where some other program offers it: when the owner
  // is this watcher itself, it has no locker behind it.
  static CBusMethodLocker FreedesktopScreenSaver(CBusConnection& session);
  // GNOME Shell's screen shield.
  static CBusMethodLocker GnomeScreenSaver(CBusConnection& session);

  std::string Description() const override { return m_description; }
  bool Lock() override;

 private:
  CBusMethodLocker(CBusConnection& session, std::string description, const char* name,
                   const char* path, bool refuseOwnName)
      : m_bus(session),
        m_description(std::move(description)),
        m_name(name),
        m_path(path),
        m_refuseOwnName(refuseOwnName) {}

  CBusConnection& m_bus;
  std::string m_description;
  const char* m_name;
  const char* m_path;
  bool m_refuseOwnName;
};
