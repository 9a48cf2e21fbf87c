#include "main/IdleRun.h"
#include "platform/dbus/BusConnection.h"
#include "platform/dbus/BusLockers.h"
#include "platform/dbus/GnomeFacts.h"
#include "platform/dbus/LogindSession.h"
#include "platform/dbus/MutterIdleSource.h"
#include "platform/dbus/OtherSaverHosts.h"
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

// A display connection joins the loop whether or not it is the source: its end is the
// session's. It becomes the source when it can watch and no better source was found.
template <typename Source>
bool TakeDisplay(SIdleSession& session, std::unique_ptr<Source> display) {
  if (!display)
    return false;
  std::shared_ptr<Source> shared(std::move(display));
  session.connections.push_back(shared);
  if (session.source || !shared->CanWatch())
    return false;
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

  // The compositor's own protocol first, then GNOME's monitor (Mutter offers no protocol),
  // then X11's counter. On a Wayland session the X display, if any, is Xwayland's: not the
  // session's end, so it is not opened.
  bool onX11 = false;
  bool onWayland = false;
#if SPIRANDEL_HAVE_WAYLAND
  if (auto wayland = CWaylandIdleSource::Connect(events)) {
    onWayland = true;
    TakeDisplay(session, std::move(wayland));
  }
#endif
  if (!session.source && bus && CMutterIdleSource::IsOffered(*bus)) {
    session.source = std::make_shared<CMutterIdleSource>(*bus, events);
  }
#if SPIRANDEL_HAVE_X11
  if (auto x11 = onWayland ? nullptr : CX11IdleSource::Connect(events)) {
    session.facts.push_back(x11.get());  // whether XScreenSaver's daemon runs there
    onX11 = TakeDisplay(session, std::move(x11));
  }
#endif
  (void)onWayland;

  if (system) {
    if (CLogindSession* logind = Keep(session, CLogindSession::Find(*system, events))) {
      session.facts.push_back(logind);
      session.lockers.push_back(Keep(session, std::make_unique<CLogindLocker>(*logind)));
    }
  }
  if (bus) {
    session.facts.push_back(Keep(session, std::make_unique<CGnomeInhibitors>(*bus, events)));
    session.facts.push_back(Keep(session, std::make_unique<CGnomeShield>(*bus, events)));
    session.facts.push_back(Keep(session, std::make_unique<COtherSaverHosts>(*bus)));
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
