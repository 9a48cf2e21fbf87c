#include "platform/wayland/WaylandSurface.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>

CWaylandSurface::CWaylandSurface(const SWaylandGlobals& globals)
    : m_globals(globals), m_ring(*this) {
  m_surface = wl_compositor_create_surface(globals.compositor);
  if (globals.display != nullptr) {
    m_releases = wl_display_create_queue(globals.display);
  }
  static const wl_surface_listener kSurfaceListener{[](void* data, wl_surface*, wl_output* output) {
                                                      auto* self =
                                                          static_cast<CWaylandSurface*>(data);
                                                      if (self->m_onEnter) {
                                                        self->m_onEnter(output);
                                                      }
                                                    },
                                                    [](void*, wl_surface*, wl_output*) {}};
  wl_surface_add_listener(m_surface, &kSurfaceListener, this);
}

std::unique_ptr<CWaylandSurface> CWaylandSurface::CreateLayer(const SWaylandGlobals& globals,
                                                              wl_output* output) {
  std::unique_ptr<CWaylandSurface> self(new CWaylandSurface(globals));
  self->m_layerSurface = zwlr_layer_shell_v1_get_layer_surface(
      globals.layerShell, self->m_surface, output, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "spirandel");
  static const zwlr_layer_surface_v1_listener kListener{
      [](void* data, zwlr_layer_surface_v1* surface, std::uint32_t serial, std::uint32_t width,
         std::uint32_t height) {
        zwlr_layer_surface_v1_ack_configure(surface, serial);
        static_cast<CWaylandSurface*>(data)->Configure(static_cast<int>(width),
                                                       static_cast<int>(height));
      },
      [](void* data, zwlr_layer_surface_v1*) {
        auto* self = static_cast<CWaylandSurface*>(data);
        if (self->m_onClosed) {
          self->m_onClosed();
        }
      }};
  zwlr_layer_surface_v1_add_listener(self->m_layerSurface, &kListener, self.get());
  zwlr_layer_surface_v1_set_anchor(self->m_layerSurface, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP |
                                                             ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                                             ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT |
                                                             ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
  // -1: over panels and bars too, which keep their own exclusive zones.
  zwlr_layer_surface_v1_set_exclusive_zone(self->m_layerSurface, -1);
  zwlr_layer_surface_v1_set_keyboard_interactivity(
      self->m_layerSurface, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
  wl_surface_commit(self->m_surface);
  return self;
}

std::unique_ptr<CWaylandSurface> CWaylandSurface::Create(const SWaylandGlobals& globals,
                                                         wl_output* output) {
  return globals.layerShell != nullptr ? CreateLayer(globals, output)
                                       : CreateToplevel(globals, output);
}

std::unique_ptr<CWaylandSurface> CWaylandSurface::CreateToplevel(const SWaylandGlobals& globals,
                                                                 wl_output* output) {
  std::unique_ptr<CWaylandSurface> self(new CWaylandSurface(globals));
  self->m_xdgSurface = xdg_wm_base_get_xdg_surface(globals.wmBase, self->m_surface);
  static const xdg_surface_listener kSurfaceListener{
      [](void* data, xdg_surface* surface, std::uint32_t serial) {
        auto* self = static_cast<CWaylandSurface*>(data);
        xdg_surface_ack_configure(surface, serial);
        self->Configure(self->m_pendingWidth, self->m_pendingHeight);
      }};
  xdg_surface_add_listener(self->m_xdgSurface, &kSurfaceListener, self.get());
  self->m_toplevel = xdg_surface_get_toplevel(self->m_xdgSurface);
  static const xdg_toplevel_listener kToplevelListener{
      [](void* data, xdg_toplevel*, std::int32_t width, std::int32_t height, wl_array*) {
        auto* self = static_cast<CWaylandSurface*>(data);
        self->m_pendingWidth = width;
        self->m_pendingHeight = height;
      },
      [](void* data, xdg_toplevel*) {
        auto* self = static_cast<CWaylandSurface*>(data);
        if (self->m_onClosed) {
          self->m_onClosed();
        }
      },
      nullptr, nullptr};
  xdg_toplevel_add_listener(self->m_toplevel, &kToplevelListener, self.get());
  xdg_toplevel_set_title(self->m_toplevel, "Spirandel");
  xdg_toplevel_set_app_id(self->m_toplevel, "spirandel");
  xdg_toplevel_set_fullscreen(self->m_toplevel, output);
  wl_surface_commit(self->m_surface);
  return self;
}

CWaylandSurface::~CWaylandSurface() {
  m_buffers.clear();
  m_black.reset();
  if (m_layerSurface != nullptr) {
    zwlr_layer_surface_v1_destroy(m_layerSurface);
  }
  if (m_toplevel != nullptr) {
    xdg_toplevel_destroy(m_toplevel);
  }
  if (m_xdgSurface != nullptr) {
    xdg_surface_destroy(m_xdgSurface);
  }
  wl_surface_destroy(m_surface);
  if (m_releases != nullptr) {
    wl_event_queue_destroy(m_releases);
  }
}

void CWaylandSurface::Configure(int width, int height) {
  // A size of 0 leaves it to the client; a full-screen saver has no better size than 1.
  width = std::max(width, 1);
  height = std::max(height, 1);
  const bool changed = width != m_width || height != m_height;
  m_width = width;
  m_height = height;
  if (m_canvas == nullptr) {
    ShowBlack(std::max(m_blackScale, 1));
  } else {
    // The figure follows through m_onConfigure; until then the old buffer stays acceptable.
    wl_surface_commit(m_surface);
  }
  if (changed && m_onConfigure) {
    m_onConfigure(width, height);
  }
}

void CWaylandSurface::ShowBlack(int scale) {
  if (!Configured()) {
    m_blackScale = scale;
    return;
  }
  // A buffer of the whole size: one pixel stretched with a viewport leaves grey edges where
  // a compositor filters the stretch (sway's software renderer does). The buffer is never
  // written, so its pages stay the kernel's zero pages on our side.
  const int width = m_width * scale;
  const int height = m_height * scale;
  if (!m_black || m_black->Width() != width || m_black->Height() != height) {
    m_black = CWaylandBuffer::Create(m_globals.shm, width, height);
    if (!m_black) {
      return;
    }
  }
  m_blackScale = scale;
  wl_surface_attach(m_surface, m_black->Handle(), 0, 0);
  SetBufferScale(scale);
  wl_surface_damage_buffer(m_surface, 0, 0, INT32_MAX, INT32_MAX);
  wl_surface_commit(m_surface);
}

void CWaylandSurface::ShowCanvas(CPixelBuffer& canvas, const CRect& change, int scale) {
  const bool reshaped = m_canvas != &canvas || scale != m_scale;
  m_canvas = &canvas;
  m_scale = scale;
  TakeReleases();
  const CRect whole{0, 0, canvas.Width(), canvas.Height()};
  // A new picture, or one that replaces the black, is damaged whole.
  m_ring.AddChange(Picture(), reshaped || m_black ? whole : change);
  Flush();
  // The black buffer goes once the figure has replaced it.
  if (m_ring.AllShown()) {
    m_black.reset();
  }
}

void CWaylandSurface::PrepareDrawing(CPixelBuffer& canvas) {
  // Until it is shown the canvas is in none of the buffers.
  if (m_canvas == &canvas) {
    TakeReleases();
    m_ring.PrepareDrawing(Picture());
  }
}

void CWaylandSurface::TakeReleases() {
  if (m_releases != nullptr) {
    wl_display_dispatch_queue_pending(m_globals.display, m_releases);
  }
}

SRingPicture CWaylandSurface::Picture() const {
  const auto drawnInto = std::find_if(
      m_buffers.begin(), m_buffers.end(),
      [&](const SFigureBuffer& figure) { return figure.buffer->Pixels() == m_canvas->Pixels(); });
  return {m_canvas->Width(), m_canvas->Height(), m_canvas->LitRect(),
          drawnInto == m_buffers.end() ? -1 : drawnInto->id};
}

CWaylandBuffer& CWaylandSurface::BufferOf(int id) {
  return *std::find_if(m_buffers.begin(), m_buffers.end(), [id](const SFigureBuffer& figure) {
            return figure.id == id;
          })->buffer;
}

void CWaylandSurface::Flush() {
  if (m_canvas != nullptr && Configured()) {
    m_ring.Flush(Picture());
  }
}

void CWaylandSurface::OnBufferReleased(void* data, CWaylandBuffer& buffer) {
  auto* self = static_cast<CWaylandSurface*>(data);
  for (const SFigureBuffer& figure : self->m_buffers) {
    if (figure.buffer.get() == &buffer) {
      self->m_ring.Released(figure.id);
    }
  }
  if (!self->m_waiting) {
    self->Flush();
  }
}

bool CWaylandSurface::CreateBuffer(int id, int width, int height) {
  auto buffer = CWaylandBuffer::Create(m_globals.shm, width, height);
  if (!buffer) {
    return false;
  }
  buffer->SetReleaseHandler(&CWaylandSurface::OnBufferReleased, this);
  if (m_releases != nullptr) {
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(buffer->Handle()), m_releases);
  }
  m_buffers.push_back({id, std::move(buffer)});
  return true;
}

void CWaylandSurface::DestroyBuffer(int id) {
  std::erase_if(m_buffers, [id](const SFigureBuffer& figure) { return figure.id == id; });
}

void CWaylandSurface::CopyPicture(int id, const CRect& rect) {
  const int width = m_canvas->Width();
  std::uint32_t* to = BufferOf(id).Pixels();
  const std::size_t rowBytes = static_cast<std::size_t>(rect.right - rect.left) * 4;
  for (int y = rect.top; y < rect.bottom; ++y) {
    const std::size_t offset = static_cast<std::size_t>(y) * width + rect.left;
    std::memcpy(to + offset, m_canvas->Pixels() + offset, rowBytes);
  }
}

void CWaylandSurface::DrawInto(int id) {
  m_canvas->Borrow(BufferOf(id).Pixels());
}

bool CWaylandSurface::DrawIntoOwnBlock() {
  return m_canvas->TakeOwnBlock() != 0;
}

void CWaylandSurface::Commit(int id, const CRect& damage) {
  wl_surface_attach(m_surface, BufferOf(id).Handle(), 0, 0);
  SetBufferScale(m_scale);
  wl_surface_damage_buffer(m_surface, damage.left, damage.top, damage.right - damage.left,
                           damage.bottom - damage.top);
  wl_surface_commit(m_surface);
}

bool CWaylandSurface::WaitForRelease() {
  if (m_releases == nullptr || m_lateReleases >= kLateReleasesBorne) {
    return false;
  }
  // The commit that makes the compositor let go of one may still be ours to send.
  wl_display* display = m_globals.display;
  if (wl_display_flush(display) < 0 && errno != EAGAIN) {
    return false;
  }
  m_waiting = true;
  int dispatched = 0;
  const auto giveUp = std::chrono::steady_clock::now() + kReleaseWait;
  while (dispatched == 0 && std::chrono::steady_clock::now() < giveUp) {
    if (wl_display_prepare_read_queue(display, m_releases) != 0) {
      dispatched = wl_display_dispatch_queue_pending(display, m_releases);
      continue;
    }
    pollfd connection{wl_display_get_fd(display), POLLIN, 0};
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(giveUp - std::chrono::steady_clock::now());
    if (poll(&connection, 1, static_cast<int>(std::max<long long>(left.count(), 0))) > 0) {
      if (wl_display_read_events(display) < 0) {
        break;
      }
      dispatched = wl_display_dispatch_queue_pending(display, m_releases);
    } else {
      wl_display_cancel_read(display);
    }
  }
  m_waiting = false;
  // A compositor that lets go of a buffer only at its next repaint, not as soon as it has
  // taken the newer one (KWin), would hold every context back to its frame rate: there the
  // picture waits in a block of its own instead. A busy machine may delay a release or two.
  if (dispatched <= 0) {
    ++m_lateReleases;
  }
  return dispatched > 0;
}

void CWaylandSurface::SetBufferScale(int scale) {
  // The scale stays until changed: one request less for the compositor to read each point.
  if (scale != m_sentScale) {
    wl_surface_set_buffer_scale(m_surface, scale);
    m_sentScale = scale;
  }
}
