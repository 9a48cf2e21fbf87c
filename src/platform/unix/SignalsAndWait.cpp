#include "platform/unix/SignalsAndWait.h"

#include <poll.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace {

constexpr int kCaught[] = {SIGTERM, SIGINT, SIGHUP, SIGUSR1};

volatile sig_atomic_t g_endingSignal = 0;
volatile sig_atomic_t g_resetRequested = 0;
// The mask while the loop waits: the one the process had, so the signals get through.
sigset_t g_waitMask;
bool g_caught = false;

void OnSignal(int signal) {
  if (signal == SIGUSR1) {
    g_resetRequested = 1;
  } else {
    g_endingSignal = signal;
  }
}

}  // namespace

void CatchEndingSignals() {
  if (g_caught) {
    return;
  }
  g_caught = true;
  sigset_t blocked;
  sigemptyset(&blocked);
  for (const int signal : kCaught) {
    sigaddset(&blocked, signal);
  }
  sigprocmask(SIG_BLOCK, &blocked, &g_waitMask);
  for (const int signal : kCaught) {
    sigdelset(&g_waitMask, signal);
  }
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : kCaught) {
    sigaction(signal, &action, nullptr);
  }
  // A server that goes away must end the run through the connection's error, not kill the
  // process with a broken pipe on the next write.
  signal(SIGPIPE, SIG_IGN);
}

int WaitForInputOrSignal(int fd, std::optional<std::chrono::steady_clock::time_point> deadline) {
  using std::chrono::nanoseconds;
  timespec timeout{};
  if (deadline) {
    // A deadline passed already is a wait of none.
    const nanoseconds left = std::max<nanoseconds>(*deadline - std::chrono::steady_clock::now(),
                                                   nanoseconds::zero());
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
    timeout.tv_sec = static_cast<time_t>(seconds.count());
    timeout.tv_nsec = static_cast<long>((left - seconds).count());
  }
  pollfd connection{fd, POLLIN, 0};
  const int ready =
      ppoll(&connection, 1, deadline ? &timeout : nullptr, g_caught ? &g_waitMask : nullptr);
  return ready > 0 && connection.revents != 0 ? 1 : 0;
}

int EndingSignal() {
  return g_endingSignal;
}

int TakeResetRequest() {
  const int requested = g_resetRequested;
  g_resetRequested = 0;
  return requested;
}

void EndBySignal(int signal) {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  raise(signal);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  // Only a signal whose default is not to end the process gets here.
  std::_Exit(128 + signal);
}
