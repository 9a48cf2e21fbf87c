#pragma once

#include <memory>

#include "idle/IdleSource.h"
#include "idle/SessionFacts.h"
#include "platform/posix/PolledSource.h"

// X11's word on idleness: the server's IDLETIME counter of the XSync extension, which counts the
// milliseconds since the last input. Two alarms on it, one where it passes the wait and one where
// input drops it again, wake the watcher at the two edges and never in between.
//
// As facts, it tells whether XScreenSaver's daemon runs on the display: a user who has it
// there has chosen it as the saver (and may run Spirandel in it).
class CX11IdleSource : public IIdleSource, public IPolledSource, public ISessionFacts {
 public:
  // Nothing without a display.
  static std::unique_ptr<CX11IdleSource> Connect(IIdleEvents& events);
  ~CX11IdleSource() override;

  // Whether the server has XSync's idle counter. Without it (or where another source is used)
  // the connection still tells when the X server, and so the session, ends.
  bool CanWatch() const;

  std::string_view Description() const override { return "X11's idle counter (XSync IDLETIME)"; }
  void Watch(std::chrono::seconds wait) override;
  void StopWatching() override;

  SSessionBlockers Blockers() override;

  int Fd() const override;
  void BeforeWait() override;
  // False when the X connection is lost: the session has ended.
  bool Process(short revents) override;

  struct SState;

 private:
  explicit CX11IdleSource(IIdleEvents& events, std::unique_ptr<SState> state);
  void HandleQueued();

  IIdleEvents& m_events;
  std::unique_ptr<SState> m_state;
};
