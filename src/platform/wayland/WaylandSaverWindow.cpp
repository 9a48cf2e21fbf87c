#include "platform/wayland/WaylandSaverWindow.h"

#include "platform/unix/OutputScale.h"

CWaylandSaverWindow::CWaylandSaverWindow(SaverSettings& settings,
                                         std::unique_ptr<CWaylandSurface> surface)
    : m_surface(std::move(surface)), m_core(settings, *this, true) {}

CWaylandSaverWindow::~CWaylandSaverWindow() {
  m_core.Stop();
}

void CWaylandSaverWindow::Show(int scale) {
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

void CWaylandSaverWindow::PrepareDrawing(CPixelBuffer& pixels) {
  m_pixels = &pixels;
  m_surface->PrepareDrawing(pixels);
}

void CWaylandSaverWindow::Present(const CRasterCanvas&, const SCanvasChange& change) {
  // Fills are pixels here like any other change: the buffer is ours to write.
  if (m_pixels != nullptr) {
    m_surface->ShowCanvas(*m_pixels, change.dirty, m_scale);
  }
}
