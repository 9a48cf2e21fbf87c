// Measures the X11 saver's pace: the full-screen window at a requested number of images per
// second runs for a while on $DISPLAY and reports the points it drew per second, and the time
// from the launch (passed in by the measuring script) to the first point on screen.
//   spirandel-x11-pace IMAGES_PER_SEC SECONDS [LAUNCH_NS_REALTIME]
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/x11/X11Session.h"
#include "settings/SaverSettings.h"

namespace {

std::int64_t RealtimeNs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return std::int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s IMAGES_PER_SEC SECONDS [LAUNCH_NS]\n", argv[0]);
    return 2;
  }
  const int imagesPerSec = std::atoi(argv[1]);
  const double seconds = std::atof(argv[2]);
  const std::int64_t launchNs = argc > 3 ? std::atoll(argv[3]) : RealtimeNs();
  if (imagesPerSec < 1 || imagesPerSec > 1000 || seconds <= 0) {
    std::fprintf(stderr, "images per second 1..1000, seconds > 0\n");
    return 2;
  }
  const auto steadyAtStart = std::chrono::steady_clock::now();
  const std::int64_t realAtStart = RealtimeNs();

  SaverSettings settings;
  settings.m_timerInterval = static_cast<std::uint32_t>(1000 / imagesPerSec);
  int exitCode = 0;
  auto session = CX11Session::Open(exitCode);
  const auto connected = std::chrono::steady_clock::now();
  if (!session || !session->CreateFullScreen(settings)) {
    return 1;
  }
  const auto windowReady = std::chrono::steady_clock::now();
  std::thread stopper([seconds] {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    kill(getpid(), SIGTERM);
  });
  CX11LoopStats stats;
  const auto loopStart = std::chrono::steady_clock::now();
  session->Run(&stats);
  const auto loopEnd = std::chrono::steady_clock::now();
  stopper.join();

  const double drawSeconds = std::chrono::duration<double>(stats.drawTime).count();
  const double achieved = drawSeconds > 0 ? stats.drawIntervals / drawSeconds : 0.0;
  const double firstPointMs =
      stats.firstDrawTick
          ? (realAtStart - launchNs) / 1e6 +
                std::chrono::duration<double, std::milli>(*stats.firstDrawTick - steadyAtStart)
                    .count()
          : -1.0;
  // The pace while drawing: the completion delay between figures is not drawing time.
  const double requested = 1000.0 / settings.m_timerInterval;
  std::printf(
      "requested %.0f points/s: achieved %.1f points/s (%+.2f%%) over %.1f s, %llu points, "
      "first point %.1f ms after launch (connected at %.1f ms, window up at %.1f ms), "
      "%.1f us of work per tick\n",
      requested, achieved, 100.0 * (achieved - requested) / requested,
      std::chrono::duration<double>(loopEnd - loopStart).count(),
      static_cast<unsigned long long>(stats.drawTicks), firstPointMs,
      (realAtStart - launchNs) / 1e6 +
          std::chrono::duration<double, std::milli>(connected - steadyAtStart).count(),
      (realAtStart - launchNs) / 1e6 +
          std::chrono::duration<double, std::milli>(windowReady - steadyAtStart).count(),
      stats.drawTicks > 0
          ? std::chrono::duration<double, std::micro>(stats.tickWork).count() / stats.drawTicks
          : 0.0);
  return 0;
}
