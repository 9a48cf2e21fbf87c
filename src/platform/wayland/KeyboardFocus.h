#pragma once

#include <chrono>
#include <optional>

// Whether the seat's keyboard has gone to another client. Wayland tells a client only about
// its own surfaces: the keyboard passing from one of the saver's surfaces to another comes as
// a leave and then an enter, one event after the other. A leave with no enter after it within
// a short grace is a loss, which ends the saver as losing the focus does on X11.
class CKeyboardFocus {
 public:
  using Clock = std::chrono::steady_clock;
  // Long enough for the enter that a compositor sends with the leave to be read, short enough
  // that the saver ends at once for a user who sees another window come up.
  static constexpr std::chrono::milliseconds kGrace{150};

  void Entered() { m_lostBy.reset(); }
  void Left(Clock::time_point now) { m_lostBy = now + kGrace; }
  // When a loss is due, if a leave is waiting for its enter.
  std::optional<Clock::time_point> Deadline() const { return m_lostBy; }
  // True once for each leave whose grace has passed with no enter.
  bool TakeLoss(Clock::time_point now);

 private:
  std::optional<Clock::time_point> m_lostBy;
};
