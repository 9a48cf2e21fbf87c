#include "platform/wayland/WaylandSurface.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// Two are enough where the compositor keeps the shown buffer until the next one comes (sway's
// software renderer), one where it copies and releases it at once; when both are held the
// change waits in m_unshown for a release, and the canvas draws meanwhile into a block of its
// own, rather than a third buffer being made.
constexpr std::size_t kMaxFigureBuffers = 2;

}  // namespace

CWaylandSurface::CWaylandSurface(const SWaylandGlobals& globals) : m_globals(globals) {
  m_surface = wl_compositor_create_surface(globals.compositor);
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

std::unique_ptr<CWaylandSurface> CWaylandSurface::CreateToplevel(const SWaylandGlobals& globals) {
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
  xdg_toplevel_set_fullscreen(self->m_toplevel, nullptr);
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
  const CRect whole{0, 0, canvas.Width(), canvas.Height()};
  // A new picture, or one that replaces the black, is damaged whole.
  const CRect& shown = reshaped || m_black ? whole : change;
  m_unshown = Bounding(m_unshown, shown);
  for (SFigureBuffer& figure : m_buffers) {
    if (!DrawnInto(figure)) {
      figure.stale = Bounding(figure.stale, shown);
    }
  }
  Flush();
  // The black buffer goes once the figure has replaced it.
  if (m_unshown.IsEmpty()) {
    m_black.reset();
  }
}

bool CWaylandSurface::DrawnInto(const SFigureBuffer& figure) const {
  return m_canvas != nullptr && figure.buffer->Pixels() == m_canvas->Pixels();
}

bool CWaylandSurface::Fits(const SFigureBuffer& figure) const {
  return figure.buffer->Width() == m_canvas->Width() &&
         figure.buffer->Height() == m_canvas->Height();
}

void CWaylandSurface::CatchUp(SFigureBuffer& figure) {
  const CRect& stale = figure.stale;
  const int width = m_canvas->Width();
  const std::size_t rowBytes = static_cast<std::size_t>(stale.right - stale.left) * 4;
  for (int y = stale.top; !stale.IsEmpty() && y < stale.bottom; ++y) {
    const std::size_t offset = static_cast<std::size_t>(y) * width + stale.left;
    std::memcpy(figure.buffer->Pixels() + offset, m_canvas->Pixels() + offset, rowBytes);
  }
  figure.stale = CRect{};
}

void CWaylandSurface::PrepareDrawing(CPixelBuffer& canvas) {
  if (m_canvas != &canvas) {
    return;  // not shown yet: it draws in its own block
  }
  // The canvas draws straight into a free buffer, so a point costs no copy of its own and
  // the screen needs no third copy besides the two buffers. The buffer the compositor holds
  // is never written: the canvas moves to a free one first, brought up to date from the
  // held one (reading it is allowed), or, with none free, into memory of its own.
  const auto drawnInto =
      std::find_if(m_buffers.begin(), m_buffers.end(),
                   [&](const SFigureBuffer& figure) { return DrawnInto(figure); });
  if (drawnInto != m_buffers.end() && !drawnInto->buffer->Busy()) {
    return;
  }
  const auto free = std::find_if(
      m_buffers.begin(), m_buffers.end(),
      [&](const SFigureBuffer& figure) { return !figure.buffer->Busy() && Fits(figure); });
  if (free != m_buffers.end()) {
    CatchUp(*free);
    m_canvas->Borrow(free->buffer->Pixels());
  } else if (drawnInto != m_buffers.end()) {
    // Should even that memory be lacking, it has no better place than where it is.
    m_canvas->TakeOwnBlock();
  }
}

void CWaylandSurface::OnBufferReleased(void* data) {
  static_cast<CWaylandSurface*>(data)->Flush();
}

void CWaylandSurface::Flush() {
  if (m_canvas == nullptr || m_unshown.IsEmpty() || !Configured()) {
    return;
  }
  // Buffers of another size are dropped; one the compositor holds goes once it is back. The
  // canvas never draws into one of another size.
  std::erase_if(m_buffers, [&](const SFigureBuffer& figure) {
    return !figure.buffer->Busy() && !Fits(figure);
  });
  // The buffer the canvas draws into has the change already.
  auto free = std::find_if(m_buffers.begin(), m_buffers.end(), [&](const SFigureBuffer& figure) {
    return !figure.buffer->Busy() && DrawnInto(figure);
  });
  if (free == m_buffers.end()) {
    free = std::find_if(m_buffers.begin(), m_buffers.end(), [&](const SFigureBuffer& figure) {
      return !figure.buffer->Busy() && Fits(figure);
    });
  }
  if (free == m_buffers.end()) {
    if (m_buffers.size() >= kMaxFigureBuffers) {
      return;  // the next release brings us back
    }
    auto buffer = CWaylandBuffer::Create(m_globals.shm, m_canvas->Width(), m_canvas->Height());
    if (!buffer) {
      return;
    }
    buffer->SetReleaseHandler(&CWaylandSurface::OnBufferReleased, this);
    // A new buffer is black: it lacks only what is lit, and its black pages are never touched.
    m_buffers.push_back({std::move(buffer), m_canvas->LitRect()});
    free = m_buffers.end() - 1;
  }
  CatchUp(*free);
  Commit(*free->buffer, m_unshown, m_scale);
  m_unshown = CRect{};
}

void CWaylandSurface::Commit(CWaylandBuffer& buffer, const CRect& damage, int scale) {
  wl_surface_attach(m_surface, buffer.Handle(), 0, 0);
  SetBufferScale(scale);
  wl_surface_damage_buffer(m_surface, damage.left, damage.top, damage.right - damage.left,
                           damage.bottom - damage.top);
  wl_surface_commit(m_surface);
  buffer.MarkBusy();
}

void CWaylandSurface::SetBufferScale(int scale) {
  // The scale stays until changed: one request less for the compositor to read each point.
  if (scale != m_sentScale) {
    wl_surface_set_buffer_scale(m_surface, scale);
    m_sentScale = scale;
  }
}
