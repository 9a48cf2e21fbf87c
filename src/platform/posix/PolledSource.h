#pragma once

#include <poll.h>

#include <chrono>
#include <optional>

// One connection that a long-running program's loop waits on: a display, a message bus, a
// child process, a watched folder. The loop asks each for its descriptor, the events it waits
// for and its own deadline, sleeps in one poll, and hands each its turn.
class IPolledSource {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  virtual ~IPolledSource() = default;

  virtual int Fd() const = 0;
  virtual short Events() const { return POLLIN; }
  virtual std::optional<TimePoint> Deadline() const { return std::nullopt; }
  // Right before the loop sleeps: send what is queued, so that no answer waits on us.
  virtual void BeforeWait() {}
  // The descriptor is ready (revents says how) or the deadline has passed (revents 0). False
  // when the connection is gone for good, which ends the loop.
  virtual bool Process(short revents) = 0;
};
