#include "platform/wayland/WaylandDrawingWindow.h"

#include "platform/unix/OutputScale.h"

CWaylandDrawingWindow::CWaylandDrawingWindow(SaverSettings& settings,
                                             std::unique_ptr<CWaylandSurface> surface)
    : m_surface(std::move(surface)), m_core(settings, *this, true) {}

CWaylandDrawingWindow::~CWaylandDrawingWindow() {
  m_core.Stop();
}

void CWaylandDrawingWindow::Show(int scale) {
  m_scale = scale;
  const int width = SurfacePixels(m_surface->Width(), scale);
  const int height = SurfacePixels(m_surface->Height(), scale);
  if (m_core.Started()) {
    m_core.Resize(width, height);
    m_core.Repaint();
  } else {
    m_core.Start(width, height);
  }
}

void CWaylandDrawingWindow::PrepareDrawing(CPixelBuffer& pixels) {
  m_pixels = &pixels;
  m_surface->PrepareDrawing(pixels);
}

void CWaylandDrawingWindow::Present(const CRasterCanvas&, const SCanvasChange& change) {
  // Fills are pixels here like any other change: the buffer is ours to write.
  if (m_pixels != nullptr) {
    m_surface->ShowCanvas(*m_pixels, change.dirty, m_scale);
  }
}
