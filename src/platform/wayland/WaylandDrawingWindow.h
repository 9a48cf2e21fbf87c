#pragma once

#include <memory>

#include "platform/unix/DrawingWindowCore.h"
#include "platform/wayland/WaylandSurface.h"
#include "settings/SaverSettings.h"

// The figure on Wayland: the full-screen drawing window on one surface. Its canvas has the
// output's size in pixels (the logical size times the output's scale), so the figure is the
// one a screen of that size shows on X11 or Windows. The core exists from the start, so
// input counts before the compositor has said where the figure goes.
class CWaylandDrawingWindow final : public IDisplayWindow {
 public:
  CWaylandDrawingWindow(SaverSettings& settings, std::unique_ptr<CWaylandSurface> surface);
  ~CWaylandDrawingWindow() override;
  CWaylandDrawingWindow(const CWaylandDrawingWindow&) = delete;
  CWaylandDrawingWindow& operator=(const CWaylandDrawingWindow&) = delete;

  CWaylandSurface& Surface() { return *m_surface; }
  CDrawingWindowCore& Core() { return m_core; }
  // Starts the figure at the surface's size and this scale, or follows a new size or scale.
  void Show(int scale);
  int Scale() const { return m_scale; }

  // IDisplayWindow. The cursor stays hidden over every surface, also while a screenshot is
  // written: Wayland has no cursor of its own for a client without a cursor theme. The canvas
  // is what the surface shows, pixel for pixel, so a screenshot reads the canvas.
  void PrepareDrawing(CPixelBuffer& pixels) override;
  void Present(const CRasterCanvas& canvas, const SCanvasChange& change) override;

 private:
  // Declared first, so it goes last: the canvas of the core may draw into its buffers.
  std::unique_ptr<CWaylandSurface> m_surface;
  // The core's pixel buffer, known from the first drawing context on.
  CPixelBuffer* m_pixels = nullptr;
  int m_scale = 1;
  CDrawingWindowCore m_core;
};
