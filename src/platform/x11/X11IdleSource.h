#pragma once

#include <memory>

#include "idle/IdleSource.h"
#include "platform/posix/PolledSource.h"

// X11's word on idleness: the server's IDLETIME counter of the XSync extension, which counts the
// milliseconds since the last input. Two alarms on it, one where it passes the wait and one where
// input drops it again, wake the watcher at the two edges and never in between.
class CX11IdleSource : public IIdleSource, public IPolledSource {
 public:
  // Nothing without a display, XSync or its IDLETIME counter.
  static std::unique_ptr<CX11IdleSource> Connect(IIdleEvents& events);
  ~CX11IdleSource() override;

  std::string_view Description() const override { return "X11's idle counter (XSync IDLETIME)"; }
  void Watch(std::chrono::seconds wait) override;
  void StopWatching() override;

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
