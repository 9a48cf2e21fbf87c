#include "platform/unix/WindowTimers.h"

#include <algorithm>

void CWindowTimers::Set(std::uint32_t id, std::uint32_t periodMs, Clock::time_point now) {
  const Clock::duration period = std::chrono::milliseconds(std::max<std::uint32_t>(periodMs, 1));
  Kill(id);
  m_timers.push_back(Timer{id, period, now + period});
}

void CWindowTimers::Kill(std::uint32_t id) {
  std::erase_if(m_timers, [id](const Timer& t) { return t.id == id; });
}

std::optional<CWindowTimers::Clock::time_point> CWindowTimers::NextDue() const {
  if (m_timers.empty()) {
    return std::nullopt;
  }
  return std::min_element(m_timers.begin(), m_timers.end(),
                          [](const Timer& a, const Timer& b) { return a.due < b.due; })
      ->due;
}

std::optional<std::uint32_t> CWindowTimers::TakeDue(Clock::time_point now) {
  const auto earliest =
      std::min_element(m_timers.begin(), m_timers.end(),
                       [](const Timer& a, const Timer& b) { return a.due < b.due; });
  if (earliest == m_timers.end() || earliest->due > now) {
    return std::nullopt;
  }
  // Periods missed entirely are dropped, not made up; the next tick stays on the phase.
  const Clock::duration late = now - earliest->due;
  earliest->due += earliest->period * (late / earliest->period + 1);
  return earliest->id;
}
