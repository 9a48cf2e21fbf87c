#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

// The drawing window's timers without a window system: periodic timers by id, delivered one
// at a time by the event loop. Like Windows timers, a timer that falls behind delivers one
// tick and not a burst: periods missed entirely are dropped, not made up. Ticks keep the
// phase of their start, so the achieved rate matches the period even when each delivery
// is a little late.
class CWindowTimers {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts or restarts timer id; the first tick comes one period from now. A period of 0
  // is the shortest period, 1 ms.
  void Set(std::uint32_t id, std::uint32_t periodMs, Clock::time_point now);
  void Kill(std::uint32_t id);

  // The time of the next tick, if any timer runs.
  std::optional<Clock::time_point> NextDue() const;

  // The id of the earliest timer due at now, rescheduled; empty when none is due.
  std::optional<std::uint32_t> TakeDue(Clock::time_point now);

 private:
  struct Timer {
    std::uint32_t id;
    Clock::duration period;
    Clock::time_point due;
  };
  std::vector<Timer> m_timers;
};
