#include "platform/x11/X11EventLoop.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "platform/x11/X11Errors.h"

namespace {

int g_signalPipe[2] = {-1, -1};

void OnEndingSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(g_signalPipe[1], &byte, 1);
  errno = saved;
}

bool SignalArrived() {
  if (g_signalPipe[0] < 0) {
    return false;
  }
  pollfd fd{g_signalPipe[0], POLLIN, 0};
  return poll(&fd, 1, 0) > 0;
}

void CountTick(CX11LoopStats& stats, std::uint32_t id, Display* display) {
  if (id != CCurveWnd::kDrawTimer) {
    stats.lastDrawTick.reset();
    return;
  }
  const auto now = CWindowTimers::Clock::now();
  ++stats.drawTicks;
  if (!stats.firstDrawTick) {
    // On screen once the server has handled the put.
    XSync(display, False);
    stats.firstDrawTick = CWindowTimers::Clock::now();
  }
  if (stats.lastDrawTick) {
    ++stats.drawIntervals;
    stats.drawTime += now - *stats.lastDrawTick;
  }
  stats.lastDrawTick = now;
}

}  // namespace

void CatchEndingSignals() {
  if (g_signalPipe[0] >= 0 || pipe(g_signalPipe) != 0) {
    return;
  }
  for (const int fd : g_signalPipe) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  struct sigaction action {};
  action.sa_handler = OnEndingSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    sigaction(signal, &action, nullptr);
  }
  // A server that goes away must end the run through the connection's error, not kill the
  // process with a broken pipe on the next write.
  signal(SIGPIPE, SIG_IGN);
}

int RunX11EventLoop(Display* display, CX11DrawingWindow& window, CX11LoopStats* stats) {
  using Clock = CWindowTimers::Clock;
  WatchX11Connection(display);
  while (!window.Finished() && !X11ConnectionLost()) {
    if (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      window.HandleEvent(event);
      window.ProcessCloseRequest();
      continue;
    }
    if (X11ConnectionLost() || SignalArrived()) {
      break;
    }
    const Clock::time_point now = Clock::now();
    if (const auto id = window.Timers().TakeDue(now)) {
      window.DeliverTimer(*id);
      if (stats != nullptr) {
        CountTick(*stats, *id, display);
        if (*id == CCurveWnd::kDrawTimer) {
          stats->tickWork += Clock::now() - now;
        }
      }
      window.ProcessCloseRequest();
      continue;
    }
    XFlush(display);
    timespec timeout{};
    timespec* wait = nullptr;
    if (const auto due = window.Timers().NextDue()) {
      const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(*due - now).count();
      timeout.tv_sec = static_cast<time_t>(ns / 1000000000);
      timeout.tv_nsec = static_cast<long>(ns % 1000000000);
      wait = &timeout;
    }
    pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {g_signalPipe[0], POLLIN, 0}};
    ppoll(fds, g_signalPipe[0] >= 0 ? 2 : 1, wait, nullptr);
  }
  return 0;
}
