#pragma once

#include <chrono>
#include <optional>

#include "platform/unix/DrawingWindowCore.h"

// A connection to a display server, as the one event loop sees it. X11's and Wayland's
// differ only in how events are read: Wayland's read is prepared before the wait and either
// done or cancelled after it, X11's is simply done.
class IDisplayConnection {
 public:
  using Clock = CDrawingWindowCore::Clock;
  virtual ~IDisplayConnection() = default;

  virtual int Fd() const = 0;
  // Handles every event already read (until the core asks to close); false once the
  // connection is lost.
  virtual bool DispatchQueued() = 0;
  // Whether the run is over on the display's side: the window or surface is gone.
  virtual bool Finished() const = 0;
  // Begins a read; false when events are queued already, which then come first.
  virtual bool PrepareRead() { return true; }
  virtual void CancelRead() {}
  // Reads what arrived after the wait; false once the connection is lost.
  virtual bool Read() = 0;
  // Sends what is buffered; false once the connection is lost.
  virtual bool Flush() = 0;
  // Whether all the display owes before the next tick is its answer to our own requests (a
  // put read, a buffer let go). The loop then leaves the connection out of its wait, which
  // would otherwise wake once more for that answer, and reads what came when the wait ends.
  virtual bool OnlyAnswersDue() const { return false; }
  // A wait of the display's own (for the compositor to say something), and its end.
  virtual std::optional<Clock::time_point> Deadline() const { return std::nullopt; }
  virtual void DeadlinePassed() {}
};

// Runs the drawing window on this one thread until the core asks to close, the display's
// side is finished, the connection is lost or an ending signal comes (EndingSignal tells
// which); returns the exit code, 0 in each case. Events come first, in order; a timer tick is
// delivered only when no event is waiting, as Windows delivers its timer messages. Between
// ticks the loop sleeps in one system call, on the connection, the next due time and the
// signals, so an idle saver wakes only for its own ticks. While only answers are due, input
// waits for the next tick, and never longer than kLongestDeafWait.
inline constexpr std::chrono::milliseconds kLongestDeafWait{50};
int RunDisplayLoop(IDisplayConnection& connection, CDrawingWindowCore& core);
