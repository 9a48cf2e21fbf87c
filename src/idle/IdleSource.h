#pragma once

#include <chrono>
#include <string_view>

// What the watcher hears from the session. A source of idleness reports the two edges of the
// user's absence; the session's other facts (inhibitors, a lock, another seat's session) report
// only that something changed, and the watcher asks for the facts themselves when it decides.
class IIdleEvents {
 public:
  virtual ~IIdleEvents() = default;
  virtual void OnIdle() = 0;
  virtual void OnActive() = 0;
  virtual void OnSessionChanged() = 0;
};

// One way of learning that the session is idle: the compositor's idle protocol, GNOME's idle
// monitor or X11's idle counter. Watch replaces any earlier wait; after OnIdle the source
// reports OnActive at the user's return and then, armed again by itself, the next OnIdle.
class IIdleSource {
 public:
  virtual ~IIdleSource() = default;
  // How the status line and stderr name it: "the compositor's idle protocol", ...
  virtual std::string_view Description() const = 0;
  virtual void Watch(std::chrono::seconds wait) = 0;
  virtual void StopWatching() = 0;
};
