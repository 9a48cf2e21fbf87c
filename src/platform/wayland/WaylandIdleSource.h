#pragma once

#include <memory>

#include "idle/IdleSource.h"
#include "platform/posix/PolledSource.h"

struct wl_display;

// The compositor's own word on idleness, on a connection of the watcher's own: the idle
// notification of ext-idle-notify-v1 where the compositor offers it, else KDE's older idle
// timeout (sway 1.7, KWin, cage). Both already honour idle inhibitors, so a film that keeps the
// screen on never reaches the watcher as idle.
class CWaylandIdleSource : public IIdleSource, public IPolledSource {
 public:
  // Nothing when there is no compositor to talk to.
  static std::unique_ptr<CWaylandIdleSource> Connect(IIdleEvents& events);
  ~CWaylandIdleSource() override;

  // Whether the compositor offers an idle protocol and a seat. Where it does not (GNOME's
  // Mutter), the connection still tells when the compositor, and so the session, ends.
  bool CanWatch() const;

  std::string_view Description() const override;
  void Watch(std::chrono::seconds wait) override;
  void StopWatching() override;

  int Fd() const override;
  void BeforeWait() override;
  // False when the compositor has gone: the session has ended.
  bool Process(short revents) override;

  struct SGlobals;

 private:
  CWaylandIdleSource(IIdleEvents& events, wl_display* display, std::unique_ptr<SGlobals> globals);

  IIdleEvents& m_events;
  wl_display* m_display;
  std::unique_ptr<SGlobals> m_globals;
};
