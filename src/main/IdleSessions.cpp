#include "main/IdleRun.h"
#include "platform/dbus/BusConnection.h"
#include "platform/dbus/BusLockers.h"
#include "platform/dbus/GnomeFacts.h"
#include "platform/dbus/LogindSession.h"
#include "platform/dbus/MutterIdleSource.h"
#include "platform/dbus/ScreenSaverService.h"

#if SPIRANDEL_HAVE_WAYLAND
#include "platform/wayland/WaylandIdleSource.h"
#endif
#if SPIRANDEL_HAVE_X11
#include "platform/x11/X11IdleSource.h"
#endif

namespace {

// The system bus carries only facts and a locker: losing it (a restart of the bus) costs those,
// not the session, which goes on without them.
class CSparedConnection : public IPolledSource {
 public:
  explicit CSparedConnection(std::shared_ptr<IPolledSource> connection)
      : m_connection(std::move(connection)) {}
  int Fd() const override { return m_lost ? -1 : m_connection->Fd(); }
  short Events() const override { return m_connection->Events(); }
  std::optional<TimePoint> Deadline() const override {
    return m_lost ? std::nullopt : m_connection->Deadline();
  }
  void BeforeWait() override {
    if (!m_lost)
      m_connection->BeforeWait();
  }
  bool Process(short revents) override {
    m_lost = m_lost || !m_connection->Process(revents);
    return true;
  }

 private:
  std::shared_ptr<IPolledSource> m_connection;
  bool m_lost = false;
};

template <typename Object>
Object* Keep(SIdleSession& session, std::unique_ptr<Object> object) {
  Object* raw = object.get();
  if (raw)
    session.keep.push_back(std::shared_ptr<Object>(std::move(object)));
  return raw;
}

// A source that is its own connection joins the loop as one.
template <typename Source>
bool TakeSource(SIdleSession& session, std::unique_ptr<Source> source) {
  if (!source)
    return false;
  std::shared_ptr<Source> shared(std::move(source));
  session.connections.push_back(shared);
  session.source = shared;
  return true;
}

}  // namespace

SIdleSession OpenIdleSession(IIdleEvents& events, std::function<bool()> saverRunning) {
  SIdleSession session;
  std::shared_ptr<CBusConnection> bus = CBusConnection::Open(CBusConnection::EBus::Session);
  std::shared_ptr<CBusConnection> system = CBusConnection::Open(CBusConnection::EBus::System);
  // The session bus is the session's: when it goes, the session has ended.
  if (bus)
    session.connections.push_back(bus);
  if (system)
    session.connections.push_back(std::make_shared<CSparedConnection>(system));
  session.keep.push_back(bus);
  session.keep.push_back(system);

  bool onX11 = false;
#if SPIRANDEL_HAVE_WAYLAND
  TakeSource(session, CWaylandIdleSource::Connect(events));
#endif
  if (!session.source && bus && CMutterIdleSource::IsOffered(*bus)) {
    session.source = std::make_shared<CMutterIdleSource>(*bus, events);
  }
#if SPIRANDEL_HAVE_X11
  if (!session.source)
    onX11 = TakeSource(session, CX11IdleSource::Connect(events));
#endif

  if (system) {
    if (CLogindSession* logind = Keep(session, CLogindSession::Find(*system, events))) {
      session.facts.push_back(logind);
      session.lockers.push_back(Keep(session, std::make_unique<CLogindLocker>(*logind)));
    }
  }
  if (bus) {
    session.facts.push_back(Keep(session, std::make_unique<CGnomeInhibitors>(*bus, events)));
    session.facts.push_back(Keep(session, std::make_unique<CGnomeShield>(*bus, events)));
    // Applications on X11 ask org.freedesktop.ScreenSaver to keep the screen on; where no
    // desktop answers them, the watcher does.
    if (onX11) {
      if (auto* service = Keep(session, CScreenSaverService::Claim(*bus, events, saverRunning))) {
        session.facts.push_back(service);
      }
    }
    session.lockers.push_back(Keep(session, std::make_unique<CBusMethodLocker>(
                                                CBusMethodLocker::FreedesktopScreenSaver(*bus))));
    session.lockers.push_back(Keep(
        session, std::make_unique<CBusMethodLocker>(CBusMethodLocker::GnomeScreenSaver(*bus))));
  }
  return session;
}
