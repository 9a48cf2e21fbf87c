#include "platform/x11/X11EventLoop.h"

#include <chrono>

#include "platform/posix/SignalsAndWait.h"
#include "platform/x11/X11Errors.h"

int RunX11EventLoop(Display* display, CX11DrawingWindow& window) {
  WatchX11Connection(display);
  while (!window.Finished() && !X11ConnectionLost()) {
    // Xlib may have read events while waiting for an answer: those come first.
    if (XEventsQueued(display, QueuedAlready) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      window.HandleEvent(event);
      window.ProcessCloseRequest();
      continue;
    }
    if (EndingSignal() != 0) {
      break;
    }
    if (TakeResetRequest()) {
      window.StartAfresh();
      continue;
    }
    const auto now = CWindowTimers::Clock::now();
    if (const auto id = window.Timers().TakeDue(now)) {
      window.DeliverTimer(*id);
      window.ProcessCloseRequest();
      continue;
    }
    XFlush(display);
    timespec timeout{};
    const timespec* wait = nullptr;
    if (const auto due = window.Timers().NextDue()) {
      const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(*due - now).count();
      timeout.tv_sec = static_cast<time_t>(ns / 1000000000);
      timeout.tv_nsec = static_cast<long>(ns % 1000000000);
      wait = &timeout;
    }
    if (WaitForInputOrSignal(ConnectionNumber(display), wait)) {
      XEventsQueued(display, QueuedAfterReading);
    }
  }
  return 0;
}
