// What a Wayland saver cannot cost less than at its default pace: a client that wakes 20
// times a second and shows a point without drawing one. Each tick it commits a full-screen
// shared-memory buffer the compositor does not hold (a second one only while the first is
// held, as the saver does) with one damaged pixel, and it reads the compositor's releases as
// they come. So the protocol's own cost is in the floor, and the saver's figure beside it
// shows the saver's own work. Runs until killed.
#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/wayland/WaylandBuffer.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"

namespace {

wl_compositor* g_compositor = nullptr;
wl_shm* g_shm = nullptr;
zwlr_layer_shell_v1* g_layerShell = nullptr;
int g_width = 0;
int g_height = 0;

void Global(void*, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t) {
  if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
    g_compositor =
        static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
  } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
    g_shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
  } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
    g_layerShell = static_cast<zwlr_layer_shell_v1*>(
        wl_registry_bind(registry, name, &zwlr_layer_shell_v1_interface, 1));
  }
}

struct SFloorBuffer {
  std::unique_ptr<CWaylandBuffer> buffer;
  bool held = false;
};

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
  if (g_compositor == nullptr || g_shm == nullptr || g_layerShell == nullptr) {
    std::fprintf(stderr, "spirandel-wayland-floor: no wl_compositor, wl_shm or layer shell\n");
    return 1;
  }
  wl_surface* surface = wl_compositor_create_surface(g_compositor);
  zwlr_layer_surface_v1* layer = zwlr_layer_shell_v1_get_layer_surface(
      g_layerShell, surface, nullptr, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "spirandel-floor");
  static const zwlr_layer_surface_v1_listener kLayerListener{
      [](void*, zwlr_layer_surface_v1* layerSurface, std::uint32_t serial, std::uint32_t width,
         std::uint32_t height) {
        zwlr_layer_surface_v1_ack_configure(layerSurface, serial);
        g_width = static_cast<int>(width);
        g_height = static_cast<int>(height);
      },
      [](void*, zwlr_layer_surface_v1*) {}};
  zwlr_layer_surface_v1_add_listener(layer, &kLayerListener, nullptr);
  zwlr_layer_surface_v1_set_anchor(
      layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                 ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
  zwlr_layer_surface_v1_set_exclusive_zone(layer, -1);
  wl_surface_commit(surface);
  while (g_width == 0 && wl_display_dispatch(display) >= 0) {
  }
  std::array<SFloorBuffer, 2> buffers;
  constexpr auto kPeriod = std::chrono::milliseconds(50);
  auto due = std::chrono::steady_clock::now();
  for (;;) {
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
        due - std::chrono::steady_clock::now());
    pollfd connection{wl_display_get_fd(display), POLLIN, 0};
    if (poll(&connection, 1, static_cast<int>(std::max<long long>(wait.count(), 0))) > 0) {
      if (wl_display_dispatch(display) < 0) {
        return 0;
      }
      continue;
    }
    const auto free =
        std::find_if(buffers.begin(), buffers.end(), [](const SFloorBuffer& b) { return !b.held; });
    if (free != buffers.end()) {
      if (!free->buffer) {
        free->buffer = CWaylandBuffer::Create(g_shm, g_width, g_height);
        if (!free->buffer) {
          return 1;
        }
        free->buffer->SetReleaseHandler(
            [](void* data, CWaylandBuffer&) { static_cast<SFloorBuffer*>(data)->held = false; },
            &*free);
      }
      wl_surface_attach(surface, free->buffer->Handle(), 0, 0);
      wl_surface_damage_buffer(surface, 0, 0, 1, 1);
      wl_surface_commit(surface);
      free->held = true;
    }
    if (wl_display_flush(display) < 0) {
      return 0;
    }
    due += kPeriod;
  }
}
