#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <optional>

#include "platform/x11/X11DrawingWindow.h"

// Runs the drawing window on this one thread until it is gone, its host destroys it, the
// connection to the server is lost, or SIGTERM, SIGINT or SIGHUP arrives; returns the exit
// code, 0 in every one of these cases. X events come first, in order; a timer tick is
// delivered only when no event is waiting, as Windows delivers its timer messages.
// What the pace measurements read: drawing-timer ticks delivered, when the first one had
// been presented, and the time between successive ticks of one figure (the completion
// delay between figures left out).
struct CX11LoopStats {
  std::uint64_t drawTicks = 0;
  std::optional<CWindowTimers::Clock::time_point> firstDrawTick;
  std::optional<CWindowTimers::Clock::time_point> lastDrawTick;
  std::uint64_t drawIntervals = 0;
  CWindowTimers::Clock::duration drawTime{};
  // Time spent handling drawing ticks, presenting included.
  CWindowTimers::Clock::duration tickWork{};
};

int RunX11EventLoop(Display* display, CX11DrawingWindow& window, CX11LoopStats* stats = nullptr);

// Routes the ending signals into the event loop; call before the window is created so an
// early signal is not lost.
void CatchEndingSignals();
