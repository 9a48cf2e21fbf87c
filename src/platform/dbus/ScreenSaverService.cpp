#include "platform/dbus/ScreenSaverService.h"

#include "platform/dbus/BusHandler.h"

#include <cerrno>

namespace {
constexpr const char* kName = "org.freedesktop.ScreenSaver";
// Clients use either path, depending on their age and toolkit.
constexpr const char* kPaths[] = {"/org/freedesktop/ScreenSaver", "/ScreenSaver"};
}  // namespace

struct CScreenSaverService::SInhibit {
  CScreenSaverService* service = nullptr;
  uint32_t cookie = 0;
  std::string client;
  std::unique_ptr<sd_bus_track, STrackRelease> track;
};

void CScreenSaverService::STrackRelease::operator()(sd_bus_track* track) const {
  sd_bus_track_unref(track);
}

std::unique_ptr<CScreenSaverService> CScreenSaverService::Claim(CBusConnection& session,
                                                                IIdleEvents& events,
                                                                SaverRunning saverRunning) {
  static const sd_bus_vtable vtable[] = {
      SD_BUS_VTABLE_START(0),
      SD_BUS_METHOD("Inhibit", "ss", "u", BusHandler<&OnInhibit>, SD_BUS_VTABLE_UNPRIVILEGED),
      SD_BUS_METHOD("UnInhibit", "u", "", BusHandler<&OnUnInhibit>, SD_BUS_VTABLE_UNPRIVILEGED),
      SD_BUS_METHOD("GetActive", "", "b", BusHandler<&OnGetActive>, SD_BUS_VTABLE_UNPRIVILEGED),
      SD_BUS_VTABLE_END};
  std::unique_ptr<CScreenSaverService> service(
      new CScreenSaverService(session, events, std::move(saverRunning)));
  // The objects exist before the name, so that no client finds the name without them.
  for (size_t i = 0; i < std::size(kPaths); ++i) {
    sd_bus_slot* slot = nullptr;
    if (sd_bus_add_object_vtable(session.Raw(), &slot, kPaths[i], kName, vtable, service.get()) <
        0) {
      return nullptr;
    }
    service->m_objects[i].reset(slot);
  }
  // Without leave to replace us: clients hold cookies of ours, and a later owner would not
  // know them, so whoever takes the name first keeps it for the session. A desktop service
  // started after us then finds the name taken, as it would under any other owner.
  if (sd_bus_request_name(session.Raw(), kName, 0) < 0) {
    return nullptr;
  }
  service->m_named = true;
  return service;
}

CScreenSaverService::CScreenSaverService(CBusConnection& session, IIdleEvents& events,
                                         SaverRunning saverRunning)
    : m_bus(session), m_events(events), m_saverRunning(std::move(saverRunning)) {}

CScreenSaverService::~CScreenSaverService() {
  if (m_named) {
    sd_bus_release_name(m_bus.Raw(), kName);
  }
}

SSessionBlockers CScreenSaverService::Blockers() {
  SSessionBlockers blockers;
  blockers.inhibited = Inhibited();
  return blockers;
}

uint32_t CScreenSaverService::NextCookie() {
  // Never 0, which clients take for "no inhibit", and never one still held after a wrap.
  do {
    ++m_lastCookie;
  } while (m_lastCookie == 0 || m_inhibits.count(m_lastCookie) != 0);
  return m_lastCookie;
}

int CScreenSaverService::OnInhibit(sd_bus_message* message, void* userdata) {
  auto* self = static_cast<CScreenSaverService*>(userdata);
  const char* application = nullptr;
  const char* reason = nullptr;
  int r = sd_bus_message_read(message, "ss", &application, &reason);
  if (r < 0) {
    return r;
  }
  const char* client = sd_bus_message_get_sender(message);
  if (client == nullptr) {
    return -EINVAL;
  }
  auto inhibit = std::make_unique<SInhibit>();
  inhibit->service = self;
  inhibit->client = client;
  sd_bus_track* track = nullptr;
  r = sd_bus_track_new(sd_bus_message_get_bus(message), &track, &CScreenSaverService::OnClientGone,
                       inhibit.get());
  if (r < 0) {
    return r;
  }
  inhibit->track.reset(track);
  r = sd_bus_track_add_sender(track, message);
  if (r < 0) {
    return r;
  }
  const uint32_t cookie = self->NextCookie();
  inhibit->cookie = cookie;
  const bool first = self->m_inhibits.empty();
  self->m_inhibits.emplace(cookie, std::move(inhibit));
  r = sd_bus_reply_method_return(message, "u", cookie);
  if (first) {
    self->m_events.OnSessionChanged();
  }
  return r;
}

int CScreenSaverService::OnUnInhibit(sd_bus_message* message, void* userdata) {
  auto* self = static_cast<CScreenSaverService*>(userdata);
  uint32_t cookie = 0;
  const int r = sd_bus_message_read(message, "u", &cookie);
  if (r < 0) {
    return r;
  }
  // A cookie is its client's alone: another one giving it back is a mistake, or worse.
  const char* client = sd_bus_message_get_sender(message);
  const auto found = self->m_inhibits.find(cookie);
  if (found == self->m_inhibits.end() || client == nullptr || found->second->client != client) {
    return sd_bus_reply_method_errorf(message, SD_BUS_ERROR_INVALID_ARGS,
                                      "No inhibit with cookie %u is held by this client", cookie);
  }
  self->Release(cookie);
  return sd_bus_reply_method_return(message, "");
}

int CScreenSaverService::OnGetActive(sd_bus_message* message, void* userdata) {
  auto* self = static_cast<CScreenSaverService*>(userdata);
  const int active = self->m_saverRunning && self->m_saverRunning() ? 1 : 0;
  return sd_bus_reply_method_return(message, "b", active);
}

int CScreenSaverService::OnClientGone(sd_bus_track*, void* userdata) {
  auto* inhibit = static_cast<SInhibit*>(userdata);
  inhibit->service->Release(inhibit->cookie);
  return 0;
}

void CScreenSaverService::Release(uint32_t cookie) {
  if (m_inhibits.erase(cookie) != 0 && m_inhibits.empty()) {
    m_events.OnSessionChanged();
  }
}
