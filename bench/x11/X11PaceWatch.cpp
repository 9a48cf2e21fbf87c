// Watches a saver's pace from outside, as the user sees it: the drawing on the screen of
// $DISPLAY, reported by the X server's DAMAGE extension, while the command given runs.
//   spirandel-x11-pace SECONDS COMMAND [ARGUMENT...]
// Drawing that covers the whole screen is the window appearing. Drawing after a pause of
// 0.9 s or more is the clearing at the end of the completion delay (1 s at the defaults),
// with the bands of rows that continue it (same columns, the next rows), and the time across
// it is not drawing time. Every other report is one point of a figure. Prints the points
// drawn per second while drawing (by the server's clock), the time from the launch to the
// first point on screen, and the CPU the command used from its first point on, in percent
// of one core.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

// Nanoseconds the process has run on a CPU, user and system time alike.
double CpuSeconds(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/schedstat");
  double ns = 0;
  stat >> ns;
  return ns / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || std::atof(argv[1]) <= 0) {
    std::fprintf(stderr, "usage: %s SECONDS COMMAND [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  const double seconds = std::atof(argv[1]);
  constexpr Time kDelayMs = 900;
  Display* display = XOpenDisplay(nullptr);
  int eventBase = 0;
  int errorBase = 0;
  if (display == nullptr || !XDamageQueryExtension(display, &eventBase, &errorBase)) {
    std::fprintf(stderr, "no X display with the DAMAGE extension\n");
    return 1;
  }
  const int screenWidth = DisplayWidth(display, DefaultScreen(display));
  const int screenHeight = DisplayHeight(display, DefaultScreen(display));
  XDamageCreate(display, DefaultRootWindow(display), XDamageReportRawRectangles);
  XSync(display, False);

  const Clock::time_point launch = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  // The time zero of the clock stands for none.
  const Clock::time_point none{};
  Clock::time_point firstPoint = none;
  // Server times in milliseconds; 0 for none.
  Time lastPoint = 0;
  Time lastReport = 0;
  XRectangle lastArea{};
  double cpuAtFirstPoint = 0;
  long points = 0;
  long intervals = 0;
  Time drawingMs = 0;
  for (Clock::time_point now = launch; Seconds(now - launch) < seconds; now = Clock::now()) {
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, 10);
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
      if (event.type != eventBase + XDamageNotify) {
        continue;
      }
      const XRectangle area = damage.area;
      const bool band = lastPoint == 0 && area.x == lastArea.x && area.width == lastArea.width &&
                        area.y == lastArea.y + lastArea.height;
      const bool clearing = lastReport != 0 && damage.timestamp - lastReport >= kDelayMs;
      lastReport = damage.timestamp;
      lastArea = area;
      if (area.width >= screenWidth && area.height >= screenHeight) {
        continue;
      }
      if (clearing || band) {
        lastPoint = 0;
        continue;
      }
      if (firstPoint == none) {
        firstPoint = Clock::now();
        cpuAtFirstPoint = CpuSeconds(child);
      }
      if (lastPoint != 0) {
        ++intervals;
        drawingMs += damage.timestamp - lastPoint;
      }
      lastPoint = damage.timestamp;
      ++points;
    }
  }
  const double cpu = CpuSeconds(child) - cpuAtFirstPoint;
  const double watched = firstPoint != none ? Seconds(Clock::now() - firstPoint) : 0;
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  std::printf(
      "%ld points, %.1f points/s while drawing, first point %.1f ms after launch, "
      "CPU %.3f%% of one core\n",
      points, drawingMs > 0 ? 1000.0 * intervals / drawingMs : 0.0,
      firstPoint != none ? 1000 * Seconds(firstPoint - launch) : -1.0,
      watched > 0 ? 100 * cpu / watched : 0.0);
  XCloseDisplay(display);
  return 0;
}
