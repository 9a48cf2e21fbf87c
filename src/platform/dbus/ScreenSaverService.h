#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "idle/IdleSource.h"
#include "idle/SessionFacts.h"
#include "platform/dbus/BusConnection.h"

struct sd_bus_message;
struct sd_bus_track;

// The session's screen-saver service, for an X11 session where no desktop offers it: players
// and browsers ask it to keep the screen on (Inhibit) and give the cookie back when done
// (UnInhibit). An inhibit lasts until its own client gives it back or leaves the bus.
class CScreenSaverService : public ISessionFacts {
 public:
  using SaverRunning = std::function<bool()>;

  // Null when another program owns the name already (it then takes the session's requests)
  // or the bus refused. EVENTS hears when the session becomes inhibited and when no longer.
  // SAVER_RUNNING answers clients that ask whether the saver is on.
  static std::unique_ptr<CScreenSaverService> Claim(CBusConnection& session, IIdleEvents& events,
                                                    SaverRunning saverRunning);
  ~CScreenSaverService() override;
  CScreenSaverService(const CScreenSaverService&) = delete;
  CScreenSaverService& operator=(const CScreenSaverService&) = delete;

  bool Inhibited() const { return !m_inhibits.empty(); }
  SSessionBlockers Blockers() override;

 private:
  struct SInhibit;
  struct STrackRelease {
    void operator()(sd_bus_track* track) const;
  };

  CScreenSaverService(CBusConnection& session, IIdleEvents& events, SaverRunning saverRunning);
  static int OnInhibit(sd_bus_message* message, void* self);
  static int OnUnInhibit(sd_bus_message* message, void* self);
  static int OnGetActive(sd_bus_message* message, void* self);
  static int OnClientGone(sd_bus_track* track, void* inhibit);
  uint32_t NextCookie();
  void Release(uint32_t cookie);

  CBusConnection& m_bus;
  IIdleEvents& m_events;
  SaverRunning m_saverRunning;
  BusSlot m_objects[2];
  bool m_named = false;
  std::map<uint32_t, std::unique_ptr<SInhibit>> m_inhibits;
  uint32_t m_lastCookie = 0;
};
