#include "platform/wayland/WaylandIdleSource.h"

#include <wayland-client.h>

#include <cstring>

#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"

struct CWaylandIdleSource::SGlobals {
  wl_registry* registry = nullptr;
  wl_seat* seat = nullptr;
  ext_idle_notifier_v1* notifier = nullptr;
  org_kde_kwin_idle* kdeIdle = nullptr;
  ext_idle_notification_v1* notification = nullptr;
  org_kde_kwin_idle_timeout* kdeTimeout = nullptr;
};

namespace {

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t) {
  auto* globals = static_cast<CWaylandIdleSource::SGlobals*>(data);
  // The first seat is the user's; a second one (rare) would need watches of its own.
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals->seat) {
    globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0) {
    globals->notifier = static_cast<ext_idle_notifier_v1*>(
        wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
  } else if (std::strcmp(interface, org_kde_kwin_idle_interface.name) == 0) {
    globals->kdeIdle = static_cast<org_kde_kwin_idle*>(
        wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
  }
}

void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

void Idled(void* data) {
  static_cast<IIdleEvents*>(data)->OnIdle();
}
void Resumed(void* data) {
  static_cast<IIdleEvents*>(data)->OnActive();
}

const ext_idle_notification_v1_listener kNotificationListener = {
    [](void* data, ext_idle_notification_v1*) { Idled(data); },
    [](void* data, ext_idle_notification_v1*) { Resumed(data); }};

const org_kde_kwin_idle_timeout_listener kKdeTimeoutListener = {
    [](void* data, org_kde_kwin_idle_timeout*) { Idled(data); },
    [](void* data, org_kde_kwin_idle_timeout*) { Resumed(data); }};

}  // namespace

std::unique_ptr<CWaylandIdleSource> CWaylandIdleSource::Connect(IIdleEvents& events) {
  wl_display* display = wl_display_connect(nullptr);
  if (!display)
    return nullptr;
  auto globals = std::make_unique<SGlobals>();
  globals->registry = wl_display_get_registry(display);
  wl_registry_add_listener(globals->registry, &kRegistryListener, globals.get());
  if (wl_display_roundtrip(display) < 0) {
    // Disconnecting frees the client side of every object with the connection.
    wl_display_disconnect(display);
    return nullptr;
  }
  return std::unique_ptr<CWaylandIdleSource>(
      new CWaylandIdleSource(events, display, std::move(globals)));
}

CWaylandIdleSource::CWaylandIdleSource(IIdleEvents& events, wl_display* display,
                                       std::unique_ptr<SGlobals> globals)
    : m_events(events), m_display(display), m_globals(std::move(globals)) {}

bool CWaylandIdleSource::CanWatch() const {
  return m_globals->seat && (m_globals->notifier || m_globals->kdeIdle);
}

CWaylandIdleSource::~CWaylandIdleSource() {
  StopWatching();
  if (m_globals->notifier)
    ext_idle_notifier_v1_destroy(m_globals->notifier);
  if (m_globals->kdeIdle)
    org_kde_kwin_idle_destroy(m_globals->kdeIdle);
  if (m_globals->seat)
    wl_seat_destroy(m_globals->seat);
  wl_registry_destroy(m_globals->registry);
  wl_display_disconnect(m_display);
}

std::string_view CWaylandIdleSource::Description() const {
  return m_globals->notifier ? "the compositor's idle notification (ext-idle-notify-v1)"
                             : "the compositor's idle timeout (org_kde_kwin_idle)";
}

void CWaylandIdleSource::Watch(std::chrono::seconds wait) {
  StopWatching();
  if (!CanWatch())
    return;
  const auto milliseconds = static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(wait).count());
  if (m_globals->notifier) {
    m_globals->notification = ext_idle_notifier_v1_get_idle_notification(
        m_globals->notifier, milliseconds, m_globals->seat);
    ext_idle_notification_v1_add_listener(m_globals->notification, &kNotificationListener,
                                          &m_events);
  } else {
    m_globals->kdeTimeout =
        org_kde_kwin_idle_get_idle_timeout(m_globals->kdeIdle, m_globals->seat, milliseconds);
    org_kde_kwin_idle_timeout_add_listener(m_globals->kdeTimeout, &kKdeTimeoutListener, &m_events);
  }
}

void CWaylandIdleSource::StopWatching() {
  if (m_globals->notification)
    ext_idle_notification_v1_destroy(m_globals->notification);
  if (m_globals->kdeTimeout)
    org_kde_kwin_idle_timeout_release(m_globals->kdeTimeout);
  m_globals->notification = nullptr;
  m_globals->kdeTimeout = nullptr;
}

int CWaylandIdleSource::Fd() const {
  return wl_display_get_fd(m_display);
}

void CWaylandIdleSource::BeforeWait() {
  wl_display_dispatch_pending(m_display);
  wl_display_flush(m_display);
}

bool CWaylandIdleSource::Process(short revents) {
  if (revents & POLLIN)
    return wl_display_dispatch(m_display) >= 0;
  return (revents & (POLLERR | POLLHUP | POLLNVAL)) == 0;
}
