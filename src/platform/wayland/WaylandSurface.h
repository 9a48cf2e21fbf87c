#pragma once

#include <wayland-client.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "canvas/PixelBuffer.h"
#include "canvas/Rect.h"
#include "platform/wayland/BufferRing.h"
#include "platform/wayland/WaylandBuffer.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

// The compositor's objects a saver surface is made from; those a compositor lacks are null.
struct SWaylandGlobals {
  wl_display* display = nullptr;
  wl_compositor* compositor = nullptr;
  wl_shm* shm = nullptr;
  zwlr_layer_shell_v1* layerShell = nullptr;
  xdg_wm_base* wmBase = nullptr;
};

// One full-screen surface over one output (or the output the compositor picks): an
// overlay-layer surface, or, without the layer shell, a fullscreen toplevel. It shows black until
// it is given a figure, and then the raster canvas, one changed rectangle at a time, from
// shared-memory buffers the canvas draws straight into; CBufferRing decides which.
class CWaylandSurface : private IBufferRingHost {
 public:
  // A layer surface where the compositor has the layer shell, else a toplevel; on the
  // compositor's choice of output for a null one.
  static std::unique_ptr<CWaylandSurface> Create(const SWaylandGlobals& globals, wl_output* output);
  ~CWaylandSurface() override;
  CWaylandSurface(const CWaylandSurface&) = delete;
  CWaylandSurface& operator=(const CWaylandSurface&) = delete;

  // Called with the logical size whenever the compositor sets it, after the surface shows it.
  std::function<void(int width, int height)> m_onConfigure;
  // The compositor has closed the surface.
  std::function<void()> m_onClosed;
  // The surface appeared on this output.
  std::function<void(wl_output* output)> m_onEnter;

  wl_surface* Surface() const { return m_surface; }
  bool Configured() const { return m_width > 0; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }

  // Shows the surface black at the given buffer scale (a surface that shows no figure).
  void ShowBlack(int scale);
  // Shows change (in canvas pixels) of the canvas, whose pixels are scale times the logical
  // size. The canvas must live until the surface is gone or another canvas is given, and be
  // drawn on only after PrepareDrawing: from then on it may borrow the memory of the surface's
  // buffers, so it is not drawn on once the surface is gone.
  void ShowCanvas(CPixelBuffer& canvas, const CRect& change, int scale);
  // Called before each drawing context on the canvas begins: it moves the canvas's pixels
  // into a buffer the compositor does not hold, or into a block of the canvas's own.
  void PrepareDrawing(CPixelBuffer& canvas);
  // Whether the compositor is about to let go of a buffer of the figure.
  bool ReleaseDue() const { return m_ring.ReleaseDue(); }
  // Handles the releases of the figure's buffers that have been read. They come on a queue
  // of their own, so that a wait for one handles no input or configure in the middle of a
  // drawing context.
  void TakeReleases();

 private:
  CWaylandSurface(const SWaylandGlobals& globals);
  static std::unique_ptr<CWaylandSurface> CreateLayer(const SWaylandGlobals& globals,
                                                      wl_output* output);
  static std::unique_ptr<CWaylandSurface> CreateToplevel(const SWaylandGlobals& globals,
                                                         wl_output* output);
  void Configure(int width, int height);
  void SetBufferScale(int scale);
  // The canvas as the ring sees it now.
  SRingPicture Picture() const;
  CWaylandBuffer& BufferOf(int id);
  void Flush();
  static void OnBufferReleased(void* data, CWaylandBuffer& buffer);

  // IBufferRingHost: the protocol's side of the ring's decisions.
  bool CreateBuffer(int id, int width, int height) override;
  void DestroyBuffer(int id) override;
  void CopyPicture(int id, const CRect& rect) override;
  void DrawInto(int id) override;
  bool DrawIntoOwnBlock() override;
  void Commit(int id, const CRect& damage) override;
  bool WaitForRelease() override;

  struct SFigureBuffer {
    int id;
    std::unique_ptr<CWaylandBuffer> buffer;
  };

  SWaylandGlobals m_globals;
  wl_surface* m_surface = nullptr;
  zwlr_layer_surface_v1* m_layerSurface = nullptr;
  xdg_surface* m_xdgSurface = nullptr;
  xdg_toplevel* m_toplevel = nullptr;
  int m_width = 0;
  int m_height = 0;
  int m_pendingWidth = 0;
  int m_pendingHeight = 0;
  // The buffer scale the compositor has been told; 1 until told otherwise.
  int m_sentScale = 1;
  // Black: one buffer, never written after it is made.
  std::unique_ptr<CWaylandBuffer> m_black;
  int m_blackScale = 0;
  // The figure: its canvas, the buffers it is shown from, and the ring that says which.
  CPixelBuffer* m_canvas = nullptr;
  int m_scale = 1;
  std::vector<SFigureBuffer> m_buffers;
  wl_event_queue* m_releases = nullptr;
  // While a context waits for a release, the release commits nothing itself.
  bool m_waiting = false;
  // Waits for a release that took longer than kReleaseWait; after a few, no more waits.
  int m_lateReleases = 0;
  static constexpr int kLateReleasesBorne = 3;
  static constexpr std::chrono::milliseconds kReleaseWait{5};
  CBufferRing m_ring;
};
