// What a Wayland client costs that does nothing but wake 20 times a second and send the
// compositor two requests that need no answer and draw nothing, as the saver writes to it
// once per point at its default pace: the floor under the saver's figures in measure.sh,
// this machine's price for a wake-up and a write to the compositor. Runs until killed.
#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

wl_compositor* g_compositor = nullptr;

void Global(void*, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t) {
  if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
    g_compositor =
        static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 1));
  }
}

}  // namespace

int main() {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "spirandel-wayland-floor: no compositor\n");
    return 1;
  }
  static const wl_registry_listener kListener{Global, [](void*, wl_registry*, std::uint32_t) {}};
  wl_registry_add_listener(wl_display_get_registry(display), &kListener, nullptr);
  wl_display_roundtrip(display);
  if (g_compositor == nullptr) {
    std::fprintf(stderr, "spirandel-wayland-floor: no wl_compositor\n");
    return 1;
  }
  constexpr auto kPeriod = std::chrono::milliseconds(50);
  auto due = std::chrono::steady_clock::now() + kPeriod;
  for (;;) {
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
        due - std::chrono::steady_clock::now());
    pollfd connection{wl_display_get_fd(display), POLLIN, 0};
    // The compositor answers each destroyed region; reading the answers is part of the price.
    if (poll(&connection, 1, static_cast<int>(std::max<long long>(wait.count(), 0))) > 0) {
      if (wl_display_dispatch(display) < 0) {
        return 0;
      }
      continue;
    }
    wl_region_destroy(wl_compositor_create_region(g_compositor));
    if (wl_display_flush(display) < 0) {
      return 0;
    }
    due += kPeriod;
  }
}
