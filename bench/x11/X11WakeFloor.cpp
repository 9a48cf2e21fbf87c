// What a client costs that does nothing but wake 20 times a second and send the X server one
// request, as the saver does once per point at its default pace: the floor under the
// saver's figures in measure.sh, which shows how much of them is this machine's price for a
// wake-up and a write to the server. Runs until killed.
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "spirandel-x11-floor: cannot open the display\n");
    return 1;
  }
  constexpr auto kPeriod = std::chrono::milliseconds(50);
  auto due = std::chrono::steady_clock::now();
  for (;;) {
    due += kPeriod;
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
        due - std::chrono::steady_clock::now());
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(std::max<long long>(wait.count(), 0)));
    XNoOp(display);
    XFlush(display);
  }
}
